target_sources(engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/audio_file_export.cpp
  ${CMAKE_CURRENT_LIST_DIR}/direct_sound.cpp
  ${CMAKE_CURRENT_LIST_DIR}/graph_playback.cpp
  ${CMAKE_CURRENT_LIST_DIR}/kv_mp3_constructor.cpp
  ${CMAKE_CURRENT_LIST_DIR}/kv_sound.cpp
  ${CMAKE_CURRENT_LIST_DIR}/kv_sound_ctrl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/kv_wav_constructor.cpp
  ${CMAKE_CURRENT_LIST_DIR}/soundtrack.cpp
  ${CMAKE_CURRENT_LIST_DIR}/temp_files.cpp
  ${CMAKE_CURRENT_LIST_DIR}/wave_data.cpp)
