# Direct3D 9 on OpenGL: adapters, devices, presentation and device loss.
saver_add_test(platform_d3d9_test BOTH_DEVICE_MODES
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/d3d9/d3d9_machine.cpp
    ${CMAKE_CURRENT_LIST_DIR}/d3d9/adapters_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/d3d9/device_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/d3d9/device_loss_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/d3d9/capture_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/d3d9/present_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/d3d9/exit_test.cpp
  LIBS platform)
target_include_directories(platform_d3d9_test PRIVATE ${CMAKE_SOURCE_DIR}/platform)

# The run limit is read once per process: a program of its own.
saver_add_test(platform_d3d9_run_frames_test
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/d3d9/d3d9_machine.cpp
    ${CMAKE_CURRENT_LIST_DIR}/d3d9/run_frames_test.cpp
  LIBS platform)
