# Dialog controls as they are drawn.
saver_add_test(platform_dialog_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/dialog/control_painter_test.cpp
  LIBS platform)
target_include_directories(platform_dialog_test PRIVATE ${CMAKE_SOURCE_DIR}/platform)
