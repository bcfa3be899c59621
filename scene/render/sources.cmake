# The rendering context, vertex layouts, frame nodes, meshes, quad batches
# and render-target pairs.
# The simple quads the slide show fades with: also compiled into the reader
# fuzzers, which never draw.
set(SCENE_RENDER_QUAD_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/current_device.cpp
  ${CMAKE_CURRENT_LIST_DIR}/d3d_helpers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/kv_frame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/kv_simple_mesh.cpp
  ${CMAKE_CURRENT_LIST_DIR}/screen_quad.cpp)
target_sources(engine PRIVATE
  ${SCENE_RENDER_QUAD_SOURCES}
  ${CMAKE_CURRENT_LIST_DIR}/kv_indexed_mesh.cpp
  ${CMAKE_CURRENT_LIST_DIR}/kvm_camera.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mesh_node.cpp
  ${CMAKE_CURRENT_LIST_DIR}/quad_batch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/render_target_pair.cpp
  ${CMAKE_CURRENT_LIST_DIR}/texture_copies.cpp
  ${CMAKE_CURRENT_LIST_DIR}/textured_quad.cpp
  ${CMAKE_CURRENT_LIST_DIR}/view_context.cpp)
