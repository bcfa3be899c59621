target_sources(platform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/audio_output.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gain.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mixer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pcm_cursor.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pcm_format.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sim_audio.cpp)
