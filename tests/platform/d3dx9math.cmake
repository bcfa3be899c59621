# Tests of this area.
saver_add_test(platform_d3dx9math_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/d3dx9/math_test.cpp
  LIBS platform)
