# The background layers that draw whole-scene effects with the fixed-function
# pipeline or an effect of their own.
target_sources(engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/bump_distortion_pass.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fake_lake_2d.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fake_lake_record.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fake_undervater.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fake_undervater_record.cpp
  ${CMAKE_CURRENT_LIST_DIR}/flame_light.cpp
  ${CMAKE_CURRENT_LIST_DIR}/flame_record.cpp
  ${CMAKE_CURRENT_LIST_DIR}/glass_ball_layout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/glass_ball_light.cpp
  ${CMAKE_CURRENT_LIST_DIR}/glass_ball_record.cpp
  ${CMAKE_CURRENT_LIST_DIR}/glass_ball_textures.cpp
  ${CMAKE_CURRENT_LIST_DIR}/glyph_grid.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lake_geometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/matrix_code_light.cpp
  ${CMAKE_CURRENT_LIST_DIR}/matrix_code_record.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ripple_grid.cpp
  ${CMAKE_CURRENT_LIST_DIR}/water_ring_light.cpp
  ${CMAKE_CURRENT_LIST_DIR}/water_ring_record.cpp)
