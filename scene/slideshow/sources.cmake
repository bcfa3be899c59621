# The slide container and the slide show.
set(SCENE_SLIDESHOW_READER_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/kv_audio_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/kv_slideshow_light.cpp)
target_sources(engine PRIVATE ${SCENE_SLIDESHOW_READER_SOURCES})
