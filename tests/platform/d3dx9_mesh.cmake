# D3DX meshes: the .x reader in every encoding and the mesh operations.
saver_add_test(platform_d3dx9_mesh_test BOTH_DEVICE_MODES
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/d3d9/d3d9_machine.cpp
    ${CMAKE_CURRENT_LIST_DIR}/d3dx9/device_fixture.cpp
    ${CMAKE_CURRENT_LIST_DIR}/d3dx9_mesh/x_writer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/d3dx9_mesh/mesh_fixtures.cpp
    ${CMAKE_CURRENT_LIST_DIR}/d3dx9_mesh/mesh_load_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/d3dx9_mesh/mesh_operations_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/d3dx9_mesh/mesh_robustness_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/d3dx9_mesh/mesh_draw_test.cpp
  LIBS platform)
target_include_directories(platform_d3dx9_mesh_test PRIVATE ${CMAKE_SOURCE_DIR}/platform)
include(${CMAKE_CURRENT_LIST_DIR}/d3dx9_mesh_fuzz.cmake)
