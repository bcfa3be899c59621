# The particle generators: the shared base, runtime object and blend mask,
# and the kinds.
target_sources(engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/particle_generator.cpp
  ${CMAKE_CURRENT_LIST_DIR}/particle_generator_record.cpp
  ${CMAKE_CURRENT_LIST_DIR}/particle_quad.cpp
  ${CMAKE_CURRENT_LIST_DIR}/particles_obj.cpp
  ${CMAKE_CURRENT_LIST_DIR}/record_fields.cpp)
