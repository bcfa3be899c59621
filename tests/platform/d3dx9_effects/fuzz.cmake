# The effect text fuzzer: built with clang's libFuzzer when the compiler is
# clang or a clang++ is installed, and run by CTest for a fixed number of
# runs with a fixed seed.
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  set(SAVER_FUZZ_CXX ${CMAKE_CXX_COMPILER})
else()
  find_program(SAVER_FUZZ_CXX NAMES clang++ clang++-14)
endif()

if(SAVER_FUZZ_CXX)
  set(effect_fuzzer ${CMAKE_CURRENT_BINARY_DIR}/effect_text_fuzzer)
  set(effect_fuzz_sources
    ${CMAKE_SOURCE_DIR}/platform/d3dx9/effect/effect_text.cpp
    ${CMAKE_SOURCE_DIR}/platform/d3dx9/effect/effect_states.cpp
    ${CMAKE_CURRENT_LIST_DIR}/fuzz/effect_text_fuzzer.cpp)
  add_custom_command(
    OUTPUT ${effect_fuzzer}
    COMMAND ${SAVER_FUZZ_CXX} -std=c++20 -O1 -g -Wall -Wextra
            -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all
            -I${CMAKE_SOURCE_DIR}/platform -I${CMAKE_SOURCE_DIR}/platform/include
            ${effect_fuzz_sources} -o ${effect_fuzzer}
    DEPENDS ${effect_fuzz_sources} ${CMAKE_SOURCE_DIR}/platform/d3dx9/effect/effect_description.h
            ${CMAKE_SOURCE_DIR}/platform/d3dx9/effect/effect_states.h
    COMMENT "Building the effect text fuzzer with ${SAVER_FUZZ_CXX}"
    VERBATIM)
  add_custom_target(build_effect_text_fuzzer ALL DEPENDS ${effect_fuzzer})

  # New inputs go to a scratch folder emptied first, so every run starts
  # from the checked-in corpus alone and is the same.
  set(effect_scratch ${CMAKE_CURRENT_BINARY_DIR}/effect-fuzz-scratch)
  add_test(NAME platform_effect_text_fuzz
    COMMAND sh -c "rm -rf \"$1\" && mkdir -p \"$1\" && exec \"$2\" -seed=1 -runs=100000 -max_len=2048 \"$1\" \"$3\""
            fuzz ${effect_scratch} ${effect_fuzzer} ${CMAKE_CURRENT_LIST_DIR}/fuzz/corpus)
endif()
