# Tests of this area.
saver_add_test(platform_com_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/com/guid_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/com/runtime_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/com/com_object_test.cpp
  LIBS platform)
