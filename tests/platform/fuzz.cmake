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

file(GLOB picture_decoder_sources ${CMAKE_SOURCE_DIR}/platform/d3dx9/*_decoder.cpp)
saver_add_fuzzer(platform_picture_fuzz
  SOURCES
    ${picture_decoder_sources}
    ${CMAKE_SOURCE_DIR}/platform/d3dx9/dxt.cpp
    ${CMAKE_SOURCE_DIR}/platform/d3dx9/pixel_format.cpp
    ${CMAKE_CURRENT_LIST_DIR}/fuzz/picture_fuzzer.cpp
  INCLUDES ${CMAKE_SOURCE_DIR}/platform
  LIBS -lpng -ljpeg -lz
  CORPUS ${CMAKE_CURRENT_LIST_DIR}/fuzz/picture_corpus
  RUNS 20000
  MAX_LEN 4096)
