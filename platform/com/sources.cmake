target_sources(platform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/apartment.cpp
  ${CMAKE_CURRENT_LIST_DIR}/guid.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bstr.cpp
  ${CMAKE_CURRENT_LIST_DIR}/task_memory.cpp
  ${CMAKE_CURRENT_LIST_DIR}/class_registry.cpp)
