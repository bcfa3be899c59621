# Modules and their resources, read from .res images.
target_sources(platform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/resource_name.cpp
  ${CMAKE_CURRENT_LIST_DIR}/res_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/string_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/module.cpp
  ${CMAKE_CURRENT_LIST_DIR}/module_files.cpp
  ${CMAKE_CURRENT_LIST_DIR}/module_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/module_api.cpp
  ${CMAKE_CURRENT_LIST_DIR}/resource_api.cpp
  ${CMAKE_CURRENT_LIST_DIR}/load_string.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sim_resources.cpp)
