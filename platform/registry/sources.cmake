target_sources(platform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/key_handles.cpp
  ${CMAKE_CURRENT_LIST_DIR}/key_paths.cpp
  ${CMAKE_CURRENT_LIST_DIR}/reg_document.cpp
  ${CMAKE_CURRENT_LIST_DIR}/reg_syntax.cpp
  ${CMAKE_CURRENT_LIST_DIR}/reg_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/registry_api.cpp
  ${CMAKE_CURRENT_LIST_DIR}/registry_file.cpp)
