# The sprite systems: their shared description, geometry and runtime
# objects, the kinds drawn by the fixed-function sprite draw and those drawn
# through an effect.
target_sources(engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/base_sprite_prop.cpp
  ${CMAKE_CURRENT_LIST_DIR}/base_sprite_prop_record.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bound_control.cpp
  ${CMAKE_CURRENT_LIST_DIR}/discharge.cpp
  ${CMAKE_CURRENT_LIST_DIR}/discharge_fx.cpp
  ${CMAKE_CURRENT_LIST_DIR}/effect_sprite_object.cpp
  ${CMAKE_CURRENT_LIST_DIR}/explosion.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fish_kinds.cpp
  ${CMAKE_CURRENT_LIST_DIR}/flow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/flower.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fx_obj.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fx_particle_system_ctrl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/glow_effect_ctrl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/glowing_obj.cpp
  ${CMAKE_CURRENT_LIST_DIR}/god_ray.cpp
  ${CMAKE_CURRENT_LIST_DIR}/grass.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lighting.cpp
  ${CMAKE_CURRENT_LIST_DIR}/particle_geom_array.cpp
  ${CMAKE_CURRENT_LIST_DIR}/particle_system_ctrl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/rain.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sparkle.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sprite_array_obj.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sprite_instance.cpp
  ${CMAKE_CURRENT_LIST_DIR}/stat_base_fx_ctrl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/stat_obj.cpp)
