# Direct3D 9 on OpenGL: the fixed-function pipeline, read back in pixels.
saver_add_test(platform_d3d9_pipeline_test BOTH_DEVICE_MODES
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/d3d9/d3d9_machine.cpp
    ${CMAKE_CURRENT_LIST_DIR}/d3d9_pipeline/pipeline_fixture.cpp
    ${CMAKE_CURRENT_LIST_DIR}/d3d9_pipeline/stage_operations_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/d3d9_pipeline/rasterisation_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/d3d9_pipeline/lighting_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/d3d9_pipeline/device_state_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/d3d9_pipeline/textured_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/d3d9_pipeline/pipeline_key_test.cpp
  LIBS platform)
target_include_directories(platform_d3d9_pipeline_test PRIVATE ${CMAKE_SOURCE_DIR}/platform)
