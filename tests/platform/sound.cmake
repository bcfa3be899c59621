# DirectSound, the filter graph and mmio, heard through the mixer.
saver_add_test(platform_sound_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/sound/direct_sound_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sound/filter_graph_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sound/mmio_test.cpp
  LIBS platform sound_test_support)
target_include_directories(platform_sound_tests PRIVATE ${CMAKE_SOURCE_DIR}/platform)

# Its own process: the sound device opens for real (headless, the dummy driver).
saver_add_test(platform_sound_priority_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/sound/priority_test.cpp
  LIBS platform)
target_include_directories(platform_sound_priority_test PRIVATE ${CMAKE_SOURCE_DIR}/platform)
