# The slide container and the slide show.
set(SCENE_SLIDESHOW_READER_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/kv_audio_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/kv_slide_container.cpp
  ${CMAKE_CURRENT_LIST_DIR}/kv_slide_container_record.cpp
  ${CMAKE_CURRENT_LIST_DIR}/kv_slideshow_light.cpp
  ${CMAKE_CURRENT_LIST_DIR}/kv_slideshow_light_record.cpp)
target_sources(engine PRIVATE ${SCENE_SLIDESHOW_READER_SOURCES})
