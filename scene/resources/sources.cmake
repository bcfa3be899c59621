# The document resource manager, its cache and the resource links.
set(SCENE_RESOURCES_READER_SOURCES ${CMAKE_CURRENT_LIST_DIR}/kv_docresmanager.cpp)
target_sources(engine PRIVATE ${SCENE_RESOURCES_READER_SOURCES})
target_sources(engine PRIVATE ${CMAKE_CURRENT_LIST_DIR}/texture_loaders.cpp)
