# The .x reader fuzzer: built with clang's libFuzzer when the compiler is
# clang or a clang++ is installed, and run by CTest for a fixed number of
# runs with a fixed seed.
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  set(SAVER_FUZZ_CXX ${CMAKE_CXX_COMPILER})
else()
  find_program(SAVER_FUZZ_CXX NAMES clang++ clang++-14)
endif()

if(SAVER_FUZZ_CXX)
  set(fuzzer ${CMAKE_CURRENT_BINARY_DIR}/x_reader_fuzzer)
  set(platform_dir ${CMAKE_SOURCE_DIR}/platform)
  set(fuzz_sources
    ${platform_dir}/d3dx9/xfile/x_document.cpp
    ${platform_dir}/d3dx9/xfile/x_geometry.cpp
    ${platform_dir}/d3dx9/xfile/x_inflate.cpp
    ${platform_dir}/d3dx9/xfile/x_tokens.cpp
    ${platform_dir}/d3dx9/mesh_adjacency.cpp
    ${platform_dir}/d3dx9/mesh_order.cpp
    ${platform_dir}/d3dx9/matrix.cpp
    ${platform_dir}/d3dx9/transforms.cpp
    ${platform_dir}/d3dx9/vector.cpp
    ${CMAKE_CURRENT_LIST_DIR}/d3dx9_mesh/fuzz/x_reader_fuzzer.cpp)
  file(GLOB_RECURSE fuzz_headers CONFIGURE_DEPENDS ${platform_dir}/d3dx9/*.h ${platform_dir}/include/*.h)
  add_custom_command(
    OUTPUT ${fuzzer}
    COMMAND ${SAVER_FUZZ_CXX} -std=c++20 -O1 -g -Wall -Wextra
            -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all
            -I${platform_dir} -I${platform_dir}/include
            ${fuzz_sources} -lz -o ${fuzzer}
    DEPENDS ${fuzz_sources} ${fuzz_headers}
    COMMENT "Building the .x reader fuzzer with ${SAVER_FUZZ_CXX}"
    VERBATIM)
  add_custom_target(build_x_reader_fuzzer ALL DEPENDS ${fuzzer})

  # New inputs go to a scratch folder emptied first, so every run starts
  # from the checked-in corpus alone and is the same.
  set(scratch ${CMAKE_CURRENT_BINARY_DIR}/x-fuzz-scratch)
  add_test(NAME platform_x_reader_fuzz
    COMMAND sh -c "rm -rf \"$1\" && mkdir -p \"$1\" && exec \"$2\" -seed=1 -runs=100000 -max_len=4096 \"$1\" \"$3\""
            fuzz ${scratch} ${fuzzer} ${CMAKE_CURRENT_LIST_DIR}/d3dx9_mesh/fuzz/corpus)
endif()
