# The effect text fuzzer.
saver_add_fuzzer(platform_effect_text_fuzz
  SOURCES
    ${CMAKE_SOURCE_DIR}/platform/d3dx9/effect/effect_text.cpp
    ${CMAKE_SOURCE_DIR}/platform/d3dx9/effect/effect_states.cpp
    ${CMAKE_CURRENT_LIST_DIR}/fuzz/effect_text_fuzzer.cpp
  INCLUDES ${CMAKE_SOURCE_DIR}/platform
  HEADERS ${CMAKE_SOURCE_DIR}/platform/d3dx9/effect/effect_description.h
          ${CMAKE_SOURCE_DIR}/platform/d3dx9/effect/effect_states.h
  CORPUS ${CMAKE_CURRENT_LIST_DIR}/fuzz/corpus
  RUNS 100000
  MAX_LEN 2048)
