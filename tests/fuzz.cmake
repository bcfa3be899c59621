# libFuzzer targets: built with clang when the compiler is clang or a
# clang++ is installed, and run by CTest for a fixed number of runs with a
# fixed seed from a checked-in corpus.
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  set(SAVER_FUZZ_CXX ${CMAKE_CXX_COMPILER})
else()
  find_program(SAVER_FUZZ_CXX NAMES clang++ clang++-14)
endif()

# saver_add_fuzz_test(<name> SOURCES ... [INCLUDES ...] CORPUS <folder>)
function(saver_add_fuzz_test name)
  if(NOT SAVER_FUZZ_CXX)
    return()
  endif()
  cmake_parse_arguments(ARG "" "CORPUS" "SOURCES;INCLUDES" ${ARGN})
  set(fuzzer ${CMAKE_CURRENT_BINARY_DIR}/${name})
  set(include_flags -I${CMAKE_SOURCE_DIR} -I${CMAKE_SOURCE_DIR}/platform/include)
  foreach(dir IN LISTS ARG_INCLUDES)
    list(APPEND include_flags -I${dir})
  endforeach()
  file(GLOB_RECURSE fuzz_headers CONFIGURE_DEPENDS
    ${CMAKE_SOURCE_DIR}/scene/*.h ${CMAKE_SOURCE_DIR}/platform/include/*.h ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_custom_command(
    OUTPUT ${fuzzer}
    COMMAND ${SAVER_FUZZ_CXX} -std=c++20 -O1 -g -Wall -Wextra -DUNICODE -D_UNICODE
            -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all
            ${include_flags} ${ARG_SOURCES} -o ${fuzzer}
    DEPENDS ${ARG_SOURCES} ${fuzz_headers}
    COMMENT "Building ${name} with ${SAVER_FUZZ_CXX}"
    VERBATIM)
  add_custom_target(build_${name} ALL DEPENDS ${fuzzer})

  # New inputs go to a scratch folder emptied first, so every run starts
  # from the checked-in corpus alone and is the same.
  set(scratch ${CMAKE_CURRENT_BINARY_DIR}/${name}-scratch)
  add_test(NAME ${name}
    COMMAND sh -c "rm -rf \"$1\" && mkdir -p \"$1\" && exec \"$2\" -seed=1 -runs=100000 -max_len=2048 \"$1\" \"$3\""
            fuzz ${scratch} ${fuzzer} ${ARG_CORPUS})
endfunction()
