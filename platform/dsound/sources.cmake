target_sources(platform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/direct_sound.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sound_buffer.cpp)
