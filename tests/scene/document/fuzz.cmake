# The document reader fuzzer: any bytes as a scene document and as a stream
# of every primitive encoding.
saver_add_fuzz_test(scene_document_reader_fuzz
  SOURCES
    ${SCENE_DOCUMENT_READER_SOURCES}
    ${SCENE_SLIDESHOW_READER_SOURCES}
    ${SCENE_RESOURCES_READER_SOURCES}
    ${CMAKE_SOURCE_DIR}/scene/document/writer/kv_iof_w.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/primitive_stream.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/document_reader_fuzzer.cpp
  INCLUDES ${CMAKE_CURRENT_SOURCE_DIR}
  CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/corpus)
