# The project's sounds, made at build time by make_sounds into
# ${SAVER_SOUNDS_DIR}/<file name>: generated tones, written as WAV and
# encoded as MP3.
add_library(sound_encoding STATIC ${CMAKE_CURRENT_LIST_DIR}/encoding.cpp)
target_include_directories(sound_encoding PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(sound_encoding PUBLIC mp3lame)

add_executable(make_sounds
  ${CMAKE_CURRENT_LIST_DIR}/make_sounds.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pieces.cpp
  ${CMAKE_CURRENT_LIST_DIR}/synth.cpp)
target_include_directories(make_sounds PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(make_sounds PRIVATE sound_encoding)

set(SAVER_SOUNDS_DIR ${CMAKE_CURRENT_BINARY_DIR}/sounds)
set(SAVER_SOUND_FILES evening_chords.wav morning_bells.mp3 night_chimes.mp3 wind_chime.wav)
saver_make_files(make_sounds ${SAVER_SOUNDS_DIR} "" SAVER_SOUNDS ${SAVER_SOUND_FILES})
add_custom_target(sounds DEPENDS ${SAVER_SOUNDS})
