# Tests of this area.
saver_add_test(platform_text_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/text/unicode_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/text/wide_format_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/text/wide_string_test.cpp
  LIBS platform)
