# The project's pictures, painted at build time by make_pictures into
# ${SAVER_PICTURES_DIR}/<name>.png.
find_package(PkgConfig REQUIRED)
pkg_check_modules(PICTURES_PNG REQUIRED IMPORTED_TARGET libpng)
add_executable(make_pictures
  ${CMAKE_CURRENT_LIST_DIR}/bolts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/canvas.cpp
  ${CMAKE_CURRENT_LIST_DIR}/effect_pictures.cpp
  ${CMAKE_CURRENT_LIST_DIR}/garden.cpp
  ${CMAKE_CURRENT_LIST_DIR}/landscapes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/make_pictures.cpp
  ${CMAKE_CURRENT_LIST_DIR}/noise.cpp
  ${CMAKE_CURRENT_LIST_DIR}/overlays.cpp
  ${CMAKE_CURRENT_LIST_DIR}/patterns.cpp
  ${CMAKE_CURRENT_LIST_DIR}/png_file.cpp)
target_link_libraries(make_pictures PRIVATE PkgConfig::PICTURES_PNG)

set(SAVER_PICTURES_DIR ${CMAKE_CURRENT_BINARY_DIR}/pictures)
set(SAVER_PICTURE_NAMES
  ball_glint ball_highlight ball_stand birch_forest cottage_garden dark_weave dawn_hills desert_dunes distortion_bump
  fire_pattern flame_pattern glyph_strip mountain_lake night_harbour rose_window tile_mosaic tileable_noise water_bump
  water_ripples woven_emblem)
# The discharge bolt's pictures of common_res.
list(APPEND SAVER_PICTURE_NAMES bright_bolt thin_bolt)
saver_make_files(make_pictures ${SAVER_PICTURES_DIR} .png SAVER_PICTURES ${SAVER_PICTURE_NAMES})
add_custom_target(pictures DEPENDS ${SAVER_PICTURES})
