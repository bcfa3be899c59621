target_sources(platform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/unicode.cpp
  ${CMAKE_CURRENT_LIST_DIR}/case_fold.cpp
  ${CMAKE_CURRENT_LIST_DIR}/wide_string.cpp
  ${CMAKE_CURRENT_LIST_DIR}/wide_format.cpp)
