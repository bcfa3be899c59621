# Windows, messages, timers and input.
set(WINDOW_TEST_SUPPORT window/recording_window.cpp window/stand_ins.cpp)

saver_add_test(platform_window_test
  SOURCES ${WINDOW_TEST_SUPPORT}
          window/input_test.cpp
          window/message_order_test.cpp
          window/timer_test.cpp
          window/window_lifecycle_test.cpp
  LIBS platform)
target_include_directories(platform_window_test PRIVATE ${CMAKE_SOURCE_DIR}/platform)
