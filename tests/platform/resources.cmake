# Tests of this area.
set(RESOURCES_TEST_DIR ${CMAKE_CURRENT_BINARY_DIR}/resources)
set(TEST_MODULE_RES ${RESOURCES_TEST_DIR}/TestModule.res)
file(MAKE_DIRECTORY ${RESOURCES_TEST_DIR})

# One compiled test module: linked in as the own module, and read from disk
# as a resource module.
saver_compile_rc(${CMAKE_CURRENT_LIST_DIR}/resources/test_module.rc ${TEST_MODULE_RES}
                 ${CMAKE_CURRENT_LIST_DIR}/resources/test_module_ids.h)
saver_embed_own_resources(resources_test_own_module ${TEST_MODULE_RES})

saver_add_test(platform_resources_test
  SOURCES
    resources/own_module_tests.cpp
    resources/load_string_tests.cpp
    resources/sim_resources_tests.cpp
    resources/module_loading_tests.cpp
    resources/damaged_res_tests.cpp
    resources/res_builder.cpp
    resources/module_fixture.cpp
  LIBS platform resources_test_own_module)
target_compile_definitions(platform_resources_test PRIVATE TEST_MODULE_RES="${TEST_MODULE_RES}")
# A module beside the executable, the second place searched.
add_custom_command(TARGET platform_resources_test POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy ${TEST_MODULE_RES} $<TARGET_FILE_DIR:platform_resources_test>/BesideExe.res
  VERBATIM)

# The own module overlaid by a .res file named after the program beside it.
set(OVERLAY_MODULE_RES ${RESOURCES_TEST_DIR}/OverlayModule.res)
saver_compile_rc(${CMAKE_CURRENT_LIST_DIR}/resources/overlay_module.rc ${OVERLAY_MODULE_RES}
                 ${CMAKE_CURRENT_LIST_DIR}/resources/test_module_ids.h)
saver_add_test(platform_own_overlay_test
  SOURCES
    resources/own_overlay_tests.cpp
    resources/res_builder.cpp
    ${OVERLAY_MODULE_RES}
  LIBS platform resources_test_own_module)
target_compile_definitions(platform_own_overlay_test PRIVATE BUILT_OVERLAY_RES="${OVERLAY_MODULE_RES}")
add_custom_command(TARGET platform_own_overlay_test POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy ${OVERLAY_MODULE_RES}
          $<TARGET_FILE_DIR:platform_own_overlay_test>/platform_own_overlay_test.res
  VERBATIM)

saver_add_test(platform_saver_resources_test
  SOURCES
    resources/saver_module_tests.cpp
  LIBS platform own_module_resources)
target_compile_definitions(platform_saver_resources_test PRIVATE SAVER_BUILD_DIR="${CMAKE_BINARY_DIR}")
add_dependencies(platform_saver_resources_test common_res)

saver_add_test(platform_no_own_resources_test
  SOURCES
    resources/no_own_resources_tests.cpp
  LIBS platform)
