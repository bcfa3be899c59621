# The particle generators: the shared base, runtime object and blend mask,
# and the kinds.
target_sources(engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/air_brush.cpp
  ${CMAKE_CURRENT_LIST_DIR}/blend_mask.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bling.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bolt.cpp
  ${CMAKE_CURRENT_LIST_DIR}/brown_animation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/custom_air_brush.cpp
  ${CMAKE_CURRENT_LIST_DIR}/falling_stars.cpp
  ${CMAKE_CURRENT_LIST_DIR}/falling_stars_record.cpp
  ${CMAKE_CURRENT_LIST_DIR}/firework.cpp
  ${CMAKE_CURRENT_LIST_DIR}/firework_record.cpp
  ${CMAKE_CURRENT_LIST_DIR}/first_image.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lightning.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lightning_record.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lightning_strip.cpp
  ${CMAKE_CURRENT_LIST_DIR}/origin_record.cpp
  ${CMAKE_CURRENT_LIST_DIR}/particle_generator.cpp
  ${CMAKE_CURRENT_LIST_DIR}/particle_generator_record.cpp
  ${CMAKE_CURRENT_LIST_DIR}/particle_origin_generator.cpp
  ${CMAKE_CURRENT_LIST_DIR}/particle_origin_generator_record.cpp
  ${CMAKE_CURRENT_LIST_DIR}/particle_quad.cpp
  ${CMAKE_CURRENT_LIST_DIR}/particles_obj.cpp
  ${CMAKE_CURRENT_LIST_DIR}/path_animation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/path_generator.cpp
  ${CMAKE_CURRENT_LIST_DIR}/plant.cpp
  ${CMAKE_CURRENT_LIST_DIR}/radial_rays.cpp
  ${CMAKE_CURRENT_LIST_DIR}/record_fields.cpp
  ${CMAKE_CURRENT_LIST_DIR}/single_rect.cpp
  ${CMAKE_CURRENT_LIST_DIR}/smoke.cpp
  ${CMAKE_CURRENT_LIST_DIR}/static_animation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/static_generator_record.cpp
  ${CMAKE_CURRENT_LIST_DIR}/string_generator_record.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tex_particle_generator.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tex_particle_generator_record.cpp
  ${CMAKE_CURRENT_LIST_DIR}/twinkling_stars.cpp)
