# Tests of this area.
saver_add_test(d3dx9math_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/d3dx9math_test.cpp
  LIBS platform)
