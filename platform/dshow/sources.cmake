target_sources(platform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/decode_audio_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/filter_graph.cpp
  ${CMAKE_CURRENT_LIST_DIR}/filters.cpp
  ${CMAKE_CURRENT_LIST_DIR}/graph_voice.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mp3_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/wave_file.cpp)
