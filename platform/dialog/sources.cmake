target_sources(platform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/button_control.cpp
  ${CMAKE_CURRENT_LIST_DIR}/combo_box.cpp
  ${CMAKE_CURRENT_LIST_DIR}/common_controls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/control_painter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/control_classes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/control_keys.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialog_api.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialog_box.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialog_painter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialog_template.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialog_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sim_dialogs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tab_control.cpp
  ${CMAKE_CURRENT_LIST_DIR}/trackbar.cpp)
