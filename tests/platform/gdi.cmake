# GDI drawing on a canvas, and message boxes.
saver_add_test(platform_gdi_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/gdi/canvas_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/gdi/gdi_objects_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/gdi/fill_rect_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/gdi/text_layout_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/gdi/draw_text_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/gdi/error_box_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/gdi/message_box_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/gdi/window_paint_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/window/recording_window.cpp
  LIBS platform)
# The window canvas is read through the layer's own header.
target_include_directories(platform_gdi_tests PRIVATE ${CMAKE_SOURCE_DIR}/platform)
