# DirectSound, the filter graph and mmio, heard through the mixer.
saver_add_test(platform_sound_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/sound/direct_sound_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sound/filter_graph_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sound/mixer_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sound/mmio_test.cpp
  LIBS platform sound_test_support)
target_include_directories(platform_sound_tests PRIVATE ${CMAKE_SOURCE_DIR}/platform)

# Its own process: the sound device opens for real (headless, the dummy driver).
saver_add_test(platform_sound_device_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/sound/device_test.cpp
  LIBS platform sound_test_support)
target_include_directories(platform_sound_device_test PRIVATE ${CMAKE_SOURCE_DIR}/platform)
# Without any sound device, playback still runs at the pace of real time.
add_test(NAME platform_sound_without_device
  COMMAND platform_sound_device_test --gtest_filter=AudioDeviceTest.AGraphPlayedByTheDevicePostsItsMessageAtTheEnd)
set_tests_properties(platform_sound_without_device PROPERTIES TIMEOUT 120
  ENVIRONMENT "${SAVER_TEST_ENVIRONMENT};SDL_AUDIODRIVER=bogus"
  PASS_REGULAR_EXPRESSION "audio: no sound output: .*bogus.*\\[  PASSED  \\] 1 test")
