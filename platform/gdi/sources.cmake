target_sources(platform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/canvas.cpp
  ${CMAKE_CURRENT_LIST_DIR}/clip_region.cpp
  ${CMAKE_CURRENT_LIST_DIR}/device_context.cpp
  ${CMAKE_CURRENT_LIST_DIR}/draw_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fill_rect.cpp
  ${CMAKE_CURRENT_LIST_DIR}/font_face.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gdi_objects.cpp
  ${CMAKE_CURRENT_LIST_DIR}/message_box.cpp
  ${CMAKE_CURRENT_LIST_DIR}/painting.cpp
  ${CMAKE_CURRENT_LIST_DIR}/system_colors.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_layout.cpp)
