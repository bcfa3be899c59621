# D3DX pictures: decoders, filters, pixel formats, texture requirements,
# normal maps and vertex sizes.
saver_add_test(platform_d3dx9_images_test
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/d3dx9/picture_files.cpp
    ${CMAKE_CURRENT_LIST_DIR}/d3dx9/decoder_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/d3dx9/decoder_robustness_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/d3dx9/hostile_picture_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/d3dx9/resample_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/d3dx9/pixel_format_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/d3dx9/texture_requirements_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/d3dx9/normal_map_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/d3dx9/fvf_test.cpp
  LIBS platform)
target_include_directories(platform_d3dx9_images_test PRIVATE ${CMAKE_SOURCE_DIR}/platform)

# D3DX surface copies and textures on the layer's Direct3D device.
saver_add_test(platform_d3dx9_textures_test BOTH_DEVICE_MODES
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/d3d9/d3d9_machine.cpp
    ${CMAKE_CURRENT_LIST_DIR}/d3dx9/device_fixture.cpp
    ${CMAKE_CURRENT_LIST_DIR}/d3dx9/picture_files.cpp
    ${CMAKE_CURRENT_LIST_DIR}/d3dx9/load_surface_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/d3dx9/texture_test.cpp
  LIBS platform)
target_include_directories(platform_d3dx9_textures_test PRIVATE ${CMAKE_SOURCE_DIR}/platform)
