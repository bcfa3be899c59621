# D3DX pictures: decoders, filters, pixel formats, texture requirements.
saver_add_test(platform_d3dx9_images_test
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/d3dx9/picture_files.cpp
    ${CMAKE_CURRENT_LIST_DIR}/d3dx9/decoder_test.cpp
  LIBS platform)
target_include_directories(platform_d3dx9_images_test PRIVATE ${CMAKE_SOURCE_DIR}/platform)
