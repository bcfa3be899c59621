target_sources(platform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/clock.cpp
  ${CMAKE_CURRENT_LIST_DIR}/crt_time.cpp
  ${CMAKE_CURRENT_LIST_DIR}/time.cpp
  ${CMAKE_CURRENT_LIST_DIR}/thread.cpp
  ${CMAKE_CURRENT_LIST_DIR}/command_line.cpp
  ${CMAKE_CURRENT_LIST_DIR}/handle_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/process.cpp
  ${CMAKE_CURRENT_LIST_DIR}/win32_error.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_path.cpp
  ${CMAKE_CURRENT_LIST_DIR}/files.cpp
  ${CMAKE_CURRENT_LIST_DIR}/write_all.cpp
  ${CMAKE_CURRENT_LIST_DIR}/written_files.cpp)
