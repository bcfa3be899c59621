# The document reader fuzzer: built with clang's libFuzzer when the compiler
# is clang or a clang++ is installed, and run by CTest for a fixed number of
# runs with a fixed seed.
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  set(SAVER_FUZZ_CXX ${CMAKE_CXX_COMPILER})
else()
  find_program(SAVER_FUZZ_CXX NAMES clang++ clang++-14)
endif()

if(SAVER_FUZZ_CXX)
  set(fuzzer ${CMAKE_CURRENT_BINARY_DIR}/document_reader_fuzzer)
  set(fuzz_sources
    ${SCENE_DOCUMENT_READER_SOURCES}
    ${SCENE_SLIDESHOW_READER_SOURCES}
    ${SCENE_RESOURCES_READER_SOURCES}
    ${CMAKE_SOURCE_DIR}/platform/text/unicode.cpp
    ${CMAKE_SOURCE_DIR}/platform/com/guid.cpp
    ${CMAKE_SOURCE_DIR}/scene/document/writer/kv_iof_w.cpp
    ${CMAKE_SOURCE_DIR}/scene/document/guid_text.cpp
    ${CMAKE_SOURCE_DIR}/scene/resources/texture_record.cpp
    ${CMAKE_SOURCE_DIR}/scene/resources/texture_sequence.cpp
    ${CMAKE_SOURCE_DIR}/scene/resources/mesh_buffers.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/manager_record_tables.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/primitive_stream.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/document_reader_fuzzer.cpp)
  file(GLOB_RECURSE fuzz_headers CONFIGURE_DEPENDS
    ${CMAKE_SOURCE_DIR}/scene/*.h ${CMAKE_SOURCE_DIR}/platform/include/*.h)
  add_custom_command(
    OUTPUT ${fuzzer}
    COMMAND ${SAVER_FUZZ_CXX} -std=c++20 -O1 -g -Wall -Wextra
            -fsanitize=fuzzer,address,undefined -fno-sanitize=vptr -fno-sanitize-recover=all
            -I${CMAKE_SOURCE_DIR} -I${CMAKE_SOURCE_DIR}/platform/include
            -I${CMAKE_CURRENT_SOURCE_DIR}
            ${fuzz_sources} -o ${fuzzer}
    DEPENDS ${fuzz_sources} ${fuzz_headers}
    COMMENT "Building the document reader fuzzer with ${SAVER_FUZZ_CXX}"
    VERBATIM)
  add_custom_target(build_document_reader_fuzzer ALL DEPENDS ${fuzzer})

  # New inputs go to a scratch folder emptied first, so every run starts
  # from the checked-in corpus alone and is the same.
  set(scratch ${CMAKE_CURRENT_BINARY_DIR}/fuzz-scratch)
  add_test(NAME scene_document_reader_fuzz
    COMMAND sh -c "rm -rf \"$1\" && mkdir -p \"$1\" && exec \"$2\" -seed=1 -runs=100000 -max_len=2048 \"$1\" \"$3\""
            fuzz ${scratch} ${fuzzer} ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/corpus)
endif()
