# Fuzz targets: built with clang's libFuzzer when the compiler is clang or a
# clang++ is installed, and run by CTest for a fixed number of runs with a
# fixed seed from a checked-in corpus.
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  set(SAVER_FUZZ_CXX ${CMAKE_CXX_COMPILER})
else()
  find_program(SAVER_FUZZ_CXX NAMES clang++ clang++-14)
endif()

# saver_add_fuzzer(<name> SOURCES ... CORPUS <dir> RUNS <n> MAX_LEN <bytes>
#                  [INCLUDES ...] [LIBS ...] [HEADERS ...])
function(saver_add_fuzzer name)
  if(NOT SAVER_FUZZ_CXX)
    return()
  endif()
  cmake_parse_arguments(ARG "" "CORPUS;RUNS;MAX_LEN" "SOURCES;INCLUDES;LIBS;HEADERS" ${ARGN})
  set(fuzzer ${CMAKE_CURRENT_BINARY_DIR}/${name})
  set(includes)
  foreach(dir ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/platform/include ${ARG_INCLUDES})
    list(APPEND includes -I${dir})
  endforeach()
  add_custom_command(
    OUTPUT ${fuzzer}
    COMMAND ${SAVER_FUZZ_CXX} -std=c++20 -O1 -g -Wall -Wextra -DUNICODE -D_UNICODE
            -fsanitize=fuzzer,address,undefined -fno-sanitize=vptr -fno-sanitize-recover=all
            ${includes} ${ARG_SOURCES} ${ARG_LIBS} -o ${fuzzer}
    DEPENDS ${ARG_SOURCES} ${ARG_HEADERS}
    COMMENT "Building the fuzz target ${name} with ${SAVER_FUZZ_CXX}"
    VERBATIM)
  add_custom_target(build_${name} ALL DEPENDS ${fuzzer})

  # New inputs go to a scratch folder emptied first, so every run starts
  # from the checked-in corpus alone and is the same.
  set(scratch ${CMAKE_CURRENT_BINARY_DIR}/${name}-scratch)
  add_test(NAME ${name}
    COMMAND sh -c "rm -rf \"$1\" && mkdir -p \"$1\" && exec \"$2\" -seed=1 -runs=$4 -max_len=$5 \"$1\" \"$3\""
            fuzz ${scratch} ${fuzzer} ${ARG_CORPUS} ${ARG_RUNS} ${ARG_MAX_LEN})
endfunction()
