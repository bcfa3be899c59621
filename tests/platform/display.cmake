# Monitors, display devices and display settings.
saver_add_test(platform_display_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/display/monitor_layout_text_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/display/display_devices_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/display/monitors_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/display/machine_layout_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/display/monitor_from_window_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/window/recording_window.cpp
  LIBS platform)
