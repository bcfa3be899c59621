target_sources(engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/adapters.cpp
  ${CMAKE_CURRENT_LIST_DIR}/application_clock.cpp
  ${CMAKE_CURRENT_LIST_DIR}/d3d_screensaver.cpp
  ${CMAKE_CURRENT_LIST_DIR}/display_modes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/error_box.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frame_loop.cpp
  ${CMAKE_CURRENT_LIST_DIR}/host_windows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/moire_screensaver.cpp
  ${CMAKE_CURRENT_LIST_DIR}/monitors.cpp
  ${CMAKE_CURRENT_LIST_DIR}/registry_key.cpp
  ${CMAKE_CURRENT_LIST_DIR}/run_mode.cpp
  ${CMAKE_CURRENT_LIST_DIR}/screen_settings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/screen_units.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings_values.cpp
  ${CMAKE_CURRENT_LIST_DIR}/win_main.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_messages.cpp)
