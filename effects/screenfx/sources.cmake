# The masked shader effects: their base, runtime object and kinds.
target_sources(engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/background_copy.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bend_fx.cpp
  ${CMAKE_CURRENT_LIST_DIR}/brush_obj.cpp
  ${CMAKE_CURRENT_LIST_DIR}/central_based.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cloud_fx.cpp
  ${CMAKE_CURRENT_LIST_DIR}/direction_based.cpp
  ${CMAKE_CURRENT_LIST_DIR}/expand_fx.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fire_fx.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fx_constructor.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fx_constructor_record.cpp
  ${CMAKE_CURRENT_LIST_DIR}/light_fx.cpp
  ${CMAKE_CURRENT_LIST_DIR}/light_fx_ii.cpp
  ${CMAKE_CURRENT_LIST_DIR}/move_fx.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pattern_brush.cpp
  ${CMAKE_CURRENT_LIST_DIR}/radial_wave_fx.cpp
  ${CMAKE_CURRENT_LIST_DIR}/rotation_fx.cpp
  ${CMAKE_CURRENT_LIST_DIR}/underwater_fx.cpp
  ${CMAKE_CURRENT_LIST_DIR}/water_fx.cpp
  ${CMAKE_CURRENT_LIST_DIR}/waterfall_fx.cpp
  ${CMAKE_CURRENT_LIST_DIR}/waves_fx.cpp)
