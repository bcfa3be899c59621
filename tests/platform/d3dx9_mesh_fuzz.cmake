# The .x reader fuzzer.
set(platform_dir ${CMAKE_SOURCE_DIR}/platform)
file(GLOB_RECURSE x_fuzz_headers CONFIGURE_DEPENDS ${platform_dir}/d3dx9/*.h ${platform_dir}/include/*.h)
saver_add_fuzzer(platform_x_reader_fuzz
  SOURCES
    ${platform_dir}/d3dx9/xfile/x_document.cpp
    ${platform_dir}/d3dx9/xfile/x_geometry.cpp
    ${platform_dir}/d3dx9/xfile/x_inflate.cpp
    ${platform_dir}/d3dx9/xfile/x_tokens.cpp
    ${platform_dir}/d3dx9/mesh_adjacency.cpp
    ${platform_dir}/d3dx9/mesh_order.cpp
    ${platform_dir}/d3dx9/matrix.cpp
    ${platform_dir}/d3dx9/transforms.cpp
    ${platform_dir}/d3dx9/vector.cpp
    ${CMAKE_CURRENT_LIST_DIR}/d3dx9_mesh/fuzz/x_reader_fuzzer.cpp
  INCLUDES ${platform_dir}
  LIBS -lz
  HEADERS ${x_fuzz_headers}
  CORPUS ${CMAKE_CURRENT_LIST_DIR}/d3dx9_mesh/fuzz/corpus
  RUNS 100000
  MAX_LEN 4096)
