# Direct3D 9 on OpenGL: textures, surfaces, buffers and the copies between them.
saver_add_test(platform_d3d9_resources_test BOTH_DEVICE_MODES
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/d3d9/d3d9_machine.cpp
    ${CMAKE_CURRENT_LIST_DIR}/d3d9_resources/resource_fixture.cpp
    ${CMAKE_CURRENT_LIST_DIR}/d3d9_resources/texture_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/d3d9_resources/dxt_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/d3d9_resources/buffer_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/d3d9_resources/copy_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/d3d9_resources/surface_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/d3d9_resources/gl_seam_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/d3d9_resources/sampling_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/d3d9_resources/queue_order_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/d3d9_resources/device_queue_test.cpp
  LIBS platform)
target_include_directories(platform_d3d9_resources_test PRIVATE ${CMAKE_SOURCE_DIR}/platform)
