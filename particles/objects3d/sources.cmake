# 3D objects: butterflies, the clock, arrays of falling meshes and the
# controllers that move them.
target_sources(engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ac_butterfly.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ac_clock_arrow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ac_static.cpp
  ${CMAKE_CURRENT_LIST_DIR}/drift_settings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frame_hierarchy.cpp
  ${CMAKE_CURRENT_LIST_DIR}/kv_3d_in_2d_array.cpp
  ${CMAKE_CURRENT_LIST_DIR}/kv_3d_in_2d_array_constructor.cpp
  ${CMAKE_CURRENT_LIST_DIR}/kv_3d_obj_ctrl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/kv_3d_obj_ctrl_record.cpp
  ${CMAKE_CURRENT_LIST_DIR}/kv_3dobj_array.cpp
  ${CMAKE_CURRENT_LIST_DIR}/kv_butterfly_constructor.cpp
  ${CMAKE_CURRENT_LIST_DIR}/kv_butterfly_constructor_record.cpp
  ${CMAKE_CURRENT_LIST_DIR}/kv_clock_constructor.cpp
  ${CMAKE_CURRENT_LIST_DIR}/kv_clock_constructor_record.cpp
  ${CMAKE_CURRENT_LIST_DIR}/leaf_fall_anim.cpp
  ${CMAKE_CURRENT_LIST_DIR}/smooth_value.cpp)
