# D3DX effects: the effect text, its programs drawn through the device,
# state saving, device loss and data that must fail cleanly.
saver_add_test(platform_d3dx9_effects_test BOTH_DEVICE_MODES
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/d3d9/d3d9_machine.cpp
    ${CMAKE_CURRENT_LIST_DIR}/d3d9_pipeline/pipeline_fixture.cpp
    ${CMAKE_CURRENT_LIST_DIR}/d3dx9_effects/effect_fixture.cpp
    ${CMAKE_CURRENT_LIST_DIR}/d3dx9_effects/effect_data_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/d3dx9_effects/effect_pixels_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/d3dx9_effects/effect_states_test.cpp
  LIBS platform)
target_include_directories(platform_d3dx9_effects_test PRIVATE ${CMAKE_SOURCE_DIR}/platform)
include(d3dx9_effects/fuzz.cmake)
