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

# Windows of another program: on an X display, where the program is a
# connection of the test's own.
saver_add_test(platform_foreign_window_test
  SOURCES ${WINDOW_TEST_SUPPORT} window/foreign_window_test.cpp
  LIBS platform)
add_test(NAME platform_foreign_window_on_xvfb
  COMMAND ${CMAKE_SOURCE_DIR}/tests/host/on_xvfb.sh $<TARGET_FILE:platform_foreign_window_test>)
set_tests_properties(platform_foreign_window_on_xvfb PROPERTIES TIMEOUT 120 SKIP_RETURN_CODE 77
  ENVIRONMENT "${SAVER_TEST_ENVIRONMENT}")

foreach(test platform_window_test platform_window_run_frames_test platform_window_run_seconds_test
        platform_window_run_no_window_test platform_foreign_window_test)
  target_include_directories(${test} PRIVATE ${CMAKE_SOURCE_DIR}/platform)
endforeach()
