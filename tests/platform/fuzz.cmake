# Fuzz targets of the layer's readers of outside files.
saver_add_fuzzer(platform_registry_file_fuzz
  SOURCES
    ${CMAKE_SOURCE_DIR}/platform/registry/key_paths.cpp
    ${CMAKE_SOURCE_DIR}/platform/registry/reg_document.cpp
    ${CMAKE_SOURCE_DIR}/platform/registry/reg_syntax.cpp
    ${CMAKE_SOURCE_DIR}/platform/registry/reg_text.cpp
    ${CMAKE_SOURCE_DIR}/platform/text/case_fold.cpp
    ${CMAKE_SOURCE_DIR}/platform/text/unicode.cpp
    ${CMAKE_CURRENT_LIST_DIR}/fuzz/registry_file_fuzzer.cpp
  INCLUDES ${CMAKE_SOURCE_DIR}/platform
  CORPUS ${CMAKE_CURRENT_LIST_DIR}/fuzz/registry_corpus
  RUNS 10000
  MAX_LEN 2048)

# The picture target's seed corpus, written by the build: small files of
# every kind each decoder reads, and the edges where it refuses one.
if(SAVER_FUZZ_CXX)
  add_executable(make_picture_corpus
    ${CMAKE_CURRENT_LIST_DIR}/fuzz/make_picture_corpus.cpp
    ${CMAKE_CURRENT_LIST_DIR}/d3dx9/picture_files.cpp)
  target_include_directories(make_picture_corpus PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(make_picture_corpus PRIVATE platform)
  set(picture_corpus ${CMAKE_CURRENT_BINARY_DIR}/picture_corpus)
  add_custom_command(OUTPUT ${picture_corpus}.stamp
    COMMAND make_picture_corpus ${picture_corpus}
    COMMAND ${CMAKE_COMMAND} -E touch ${picture_corpus}.stamp
    DEPENDS make_picture_corpus
    COMMENT "Writing the picture fuzz corpus")
  add_custom_target(picture_corpus ALL DEPENDS ${picture_corpus}.stamp)
endif()

file(GLOB picture_decoder_sources ${CMAKE_SOURCE_DIR}/platform/d3dx9/*_decoder.cpp)
saver_add_fuzzer(platform_picture_fuzz
  SOURCES
    ${picture_decoder_sources}
    ${CMAKE_SOURCE_DIR}/platform/d3dx9/dxt.cpp
    ${CMAKE_SOURCE_DIR}/platform/d3dx9/pixel_format.cpp
    ${CMAKE_CURRENT_LIST_DIR}/fuzz/picture_fuzzer.cpp
  INCLUDES ${CMAKE_SOURCE_DIR}/platform
  LIBS -lpng -ljpeg -lz
  CORPUS ${picture_corpus}
  RUNS 20000
  MAX_LEN 4096)
