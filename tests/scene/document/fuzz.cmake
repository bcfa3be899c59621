# The document reader fuzzer. The manager record's tables are parsed by the
# manager's own parser, without a device.
file(GLOB_RECURSE fuzz_headers CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/scene/*.h ${CMAKE_SOURCE_DIR}/platform/include/*.h)
saver_add_fuzzer(scene_document_reader_fuzz
  SOURCES
    ${SCENE_DOCUMENT_READER_SOURCES}
    ${SCENE_SLIDESHOW_READER_SOURCES}
    ${SCENE_RESOURCES_READER_SOURCES}
    ${SCENE_MODEL_SOURCES}
    ${SCENE_RENDER_QUAD_SOURCES}
    ${CMAKE_SOURCE_DIR}/platform/text/unicode.cpp
    ${CMAKE_SOURCE_DIR}/platform/com/guid.cpp
    ${CMAKE_SOURCE_DIR}/scene/document/guid_text.cpp
    ${CMAKE_SOURCE_DIR}/scene/document/writer/kv_iof_w.cpp
    ${CMAKE_SOURCE_DIR}/platform/d3dx9/matrix.cpp
    ${CMAKE_SOURCE_DIR}/platform/d3dx9/vector.cpp
    ${CMAKE_SOURCE_DIR}/platform/d3dx9/transforms.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/manager_record_tables.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/primitive_stream.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/document_reader_fuzzer.cpp
  INCLUDES ${CMAKE_CURRENT_SOURCE_DIR}
  HEADERS ${fuzz_headers}
  CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/corpus
  RUNS 100000
  MAX_LEN 2048)
