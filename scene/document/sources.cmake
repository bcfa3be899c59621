# The document archive, primitive encodings and class registries.
set(_dir ${CMAKE_CURRENT_LIST_DIR})

# What reads a document from memory, with no call into the platform layer:
# also compiled into the document fuzzer.
set(SCENE_DOCUMENT_READER_SOURCES
  ${_dir}/kv_iof_virtual.cpp
  ${_dir}/resource_buffer.cpp
  ${_dir}/kv_iof_r.cpp
  ${_dir}/embedded_file.cpp
  ${_dir}/record.cpp
  ${_dir}/reader_registry.cpp
  ${_dir}/read_scene_document.cpp)

target_sources(engine PRIVATE
  ${SCENE_DOCUMENT_READER_SOURCES}
  ${_dir}/dds_resource.cpp
  ${_dir}/resource_buffer_open.cpp
  ${_dir}/resource_entry_module.cpp
  ${_dir}/module_name.cpp
  ${_dir}/file_name.cpp
  ${_dir}/guid_text.cpp
  ${_dir}/load_scene_document.cpp)

# The writing side, for tests and tools; not part of the engine. Programs
# that use it link the engine as well.
add_library(document_writer STATIC
  ${_dir}/writer/kv_iof_w.cpp
  ${_dir}/writer/document_builder.cpp
  ${_dir}/writer/scene_document_writer.cpp)
target_include_directories(document_writer PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(document_writer PUBLIC platform)
