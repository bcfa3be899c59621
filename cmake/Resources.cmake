# Module resources: .rc scripts compiled to the standard .res format.
find_program(WINDRES NAMES llvm-windres-14 llvm-windres REQUIRED)
# llvm-windres preprocesses with the clang on the PATH.
find_program(RC_PREPROCESSOR NAMES clang REQUIRED)

# saver_compile_rc(<rc file> <output .res> [<dependency>...] [INCLUDES <dir>...]):
# compiles at build time; files that the script names are looked for beside
# it, then in the INCLUDES folders (where the build writes generated files).
function(saver_compile_rc rc_file res_file)
  cmake_parse_arguments(ARG "" "" "INCLUDES" ${ARGN})
  get_filename_component(rc_abs ${rc_file} ABSOLUTE)
  get_filename_component(rc_dir ${rc_abs} DIRECTORY)
  set(include_options "")
  foreach(dir IN LISTS ARG_INCLUDES)
    list(APPEND include_options -I ${dir})
  endforeach()
  add_custom_command(
    OUTPUT ${res_file}
    COMMAND ${WINDRES} -I ${rc_dir} ${include_options}
            -I ${CMAKE_SOURCE_DIR}/platform/include
            -i ${rc_abs} -o ${res_file} -O res
    DEPENDS ${rc_abs} ${ARG_UNPARSED_ARGUMENTS}
    IMPLICIT_DEPENDS C ${rc_abs}
    COMMENT "Compiling resources ${rc_file}"
    VERBATIM)
endfunction()

# saver_embed_own_resources(<target> <.res file>): an object library that
# links the .res into a program as its own module's resources.
function(saver_embed_own_resources target res_file)
  set(asm ${CMAKE_CURRENT_BINARY_DIR}/${target}.S)
  set(asm_text
    "    .section .rodata\n"
    "    .balign 16\n"
    "    .globl saver_own_module_res_begin\n"
    "saver_own_module_res_begin:\n"
    "    .incbin \"${res_file}\"\n"
    "    .globl saver_own_module_res_end\n"
    "saver_own_module_res_end:\n"
    "    .section .note.GNU-stack,\"\",@progbits\n")
  string(CONCAT asm_text ${asm_text})
  # Written only when it changes, so reconfiguring rebuilds nothing.
  file(CONFIGURE OUTPUT ${asm} CONTENT "${asm_text}" @ONLY)
  set_source_files_properties(${asm} PROPERTIES OBJECT_DEPENDS ${res_file})
  add_library(${target} OBJECT ${asm} ${res_file})
endfunction()

# saver_make_files(<tool> <folder> <suffix> <output list> <name>...): files
# that a tool of the build makes, one command each: `<tool> <name>
# <folder>/<name><suffix>`. Their paths go into the output list.
function(saver_make_files tool folder suffix output)
  file(MAKE_DIRECTORY ${folder})
  set(files "")
  foreach(name IN LISTS ARGN)
    set(made ${folder}/${name}${suffix})
    add_custom_command(
      OUTPUT ${made}
      COMMAND ${tool} ${name} ${made}
      DEPENDS ${tool}
      COMMENT "Making ${name}${suffix}"
      VERBATIM)
    list(APPEND files ${made})
  endforeach()
  set(${output} ${files} PARENT_SCOPE)
endfunction()
