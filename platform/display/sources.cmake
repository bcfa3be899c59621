target_sources(platform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/display_devices.cpp
  ${CMAKE_CURRENT_LIST_DIR}/display_layout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/monitor_from_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/monitor_layout_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/monitors.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sdl_displays.cpp
  ${CMAKE_CURRENT_LIST_DIR}/usual_modes.cpp)
