# Sources of this area are listed here.
target_sources(platform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/matrix.cpp
  ${CMAKE_CURRENT_LIST_DIR}/transforms.cpp
  ${CMAKE_CURRENT_LIST_DIR}/vector.cpp)
