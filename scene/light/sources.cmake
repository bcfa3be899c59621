# The background layer and the renderer interface.
target_sources(engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/kv_2d_light.cpp
  ${CMAKE_CURRENT_LIST_DIR}/kv_2d_light_record.cpp
  ${CMAKE_CURRENT_LIST_DIR}/kv_abrender.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mask_pass.cpp
  ${CMAKE_CURRENT_LIST_DIR}/picture_quad.cpp)
