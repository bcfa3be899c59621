# Tests of this area.
saver_add_test(platform_kernel_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/kernel/clock_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/kernel/crt_time_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/kernel/thread_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/kernel/command_line_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/kernel/process_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/kernel/files_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/kernel/header_names_test.cpp
  LIBS platform)
