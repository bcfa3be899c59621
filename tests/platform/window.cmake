# Windows, messages, timers and input.
set(WINDOW_TEST_SUPPORT window/recording_window.cpp)

saver_add_test(platform_window_test
  SOURCES ${WINDOW_TEST_SUPPORT}
          window/icon_test.cpp
          window/input_test.cpp
          window/message_order_test.cpp
          window/painting_test.cpp
          window/presentation_test.cpp
          window/timer_test.cpp
          window/window_lifecycle_test.cpp
  LIBS platform)

# The run limits are read once per process: a program each.
saver_add_test(platform_window_run_frames_test
  SOURCES ${WINDOW_TEST_SUPPORT} window/run_limit_frames_test.cpp
  LIBS platform)
saver_add_test(platform_window_run_seconds_test
  SOURCES ${WINDOW_TEST_SUPPORT} window/run_limit_seconds_test.cpp
  LIBS platform)
saver_add_test(platform_window_run_no_window_test
  SOURCES window/run_limit_no_window_test.cpp
  LIBS platform)

foreach(test platform_window_test platform_window_run_frames_test platform_window_run_seconds_test
        platform_window_run_no_window_test)
  target_include_directories(${test} PRIVATE ${CMAKE_SOURCE_DIR}/platform)
endforeach()
