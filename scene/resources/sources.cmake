# The document resource manager, its cache and the resource links.
set(SCENE_RESOURCES_READER_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/stored_resource_tables.cpp
  ${CMAKE_CURRENT_LIST_DIR}/resource_key.cpp
  ${CMAKE_CURRENT_LIST_DIR}/texture_record.cpp
  ${CMAKE_CURRENT_LIST_DIR}/texture_sequence.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mesh_buffers.cpp)
target_sources(engine PRIVATE
  ${SCENE_RESOURCES_READER_SOURCES}
  ${CMAKE_CURRENT_LIST_DIR}/kv_docresmanager.cpp
  ${CMAKE_CURRENT_LIST_DIR}/kv_docresmanager_links.cpp
  ${CMAKE_CURRENT_LIST_DIR}/kv_filelink3.cpp
  ${CMAKE_CURRENT_LIST_DIR}/kv_imagefilelink.cpp
  ${CMAKE_CURRENT_LIST_DIR}/texture_loaders.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mesh_loaders.cpp
  ${CMAKE_CURRENT_LIST_DIR}/resource_cache.cpp)
