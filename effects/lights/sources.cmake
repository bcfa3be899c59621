# The background layers that draw whole-scene effects with the fixed-function
# pipeline.
target_sources(engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/glass_ball_layout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/glass_ball_light.cpp
  ${CMAKE_CURRENT_LIST_DIR}/glass_ball_record.cpp
  ${CMAKE_CURRENT_LIST_DIR}/glass_ball_textures.cpp)
