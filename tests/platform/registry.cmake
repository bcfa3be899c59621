# Tests of this area. The helper is a second process that shares only the
# registry file with the tests.
add_executable(registry_helper ${CMAKE_CURRENT_LIST_DIR}/registry/registry_helper.cpp)
target_link_libraries(registry_helper PRIVATE platform)

saver_add_test(platform_registry_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/registry/registry_fixture.cpp
    ${CMAKE_CURRENT_LIST_DIR}/registry/registry_api_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/registry/registry_file_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/registry/registry_preservation_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/registry/registry_refused_file_test.cpp
  LIBS platform)
target_compile_definitions(platform_registry_tests PRIVATE REGISTRY_HELPER="$<TARGET_FILE:registry_helper>")
add_dependencies(platform_registry_tests registry_helper)
