# Parameters, compound parameters, random functions, time line and the
# scene-object bases. They read from memory with no call into the platform
# layer: also compiled into the description reader fuzzer.
set(SCENE_MODEL_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/abobj.cpp
  ${CMAKE_CURRENT_LIST_DIR}/abobj_constructor.cpp
  ${CMAKE_CURRENT_LIST_DIR}/abobj_constructor_record.cpp
  ${CMAKE_CURRENT_LIST_DIR}/animation_state.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bound_control_list.cpp
  ${CMAKE_CURRENT_LIST_DIR}/compound_param_records.cpp
  ${CMAKE_CURRENT_LIST_DIR}/crt_random.cpp
  ${CMAKE_CURRENT_LIST_DIR}/duration_range.cpp
  ${CMAKE_CURRENT_LIST_DIR}/float_convert.cpp
  ${CMAKE_CURRENT_LIST_DIR}/media_direction.cpp
  ${CMAKE_CURRENT_LIST_DIR}/media_param.cpp
  ${CMAKE_CURRENT_LIST_DIR}/media_quad.cpp
  ${CMAKE_CURRENT_LIST_DIR}/noise.cpp
  ${CMAKE_CURRENT_LIST_DIR}/path_point.cpp
  ${CMAKE_CURRENT_LIST_DIR}/picture_placement.cpp
  ${CMAKE_CURRENT_LIST_DIR}/random_functions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scaled_param.cpp
  ${CMAKE_CURRENT_LIST_DIR}/time_interval.cpp
  ${CMAKE_CURRENT_LIST_DIR}/time_line_control.cpp
  ${CMAKE_CURRENT_LIST_DIR}/time_line_record.cpp
  ${CMAKE_CURRENT_LIST_DIR}/view_obj_ctrl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/view_obj_ctrl_record.cpp)
target_sources(engine PRIVATE ${SCENE_MODEL_SOURCES})
