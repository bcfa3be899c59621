# The sample scene, written at build time by make_sample_scene from the
# engine's own classes into ${SAVER_SAMPLE_SCENE}, the program's "DDS" 107;
# it stores some of the pictures, the 3D objects' files and the sounds.
# An object library, like the engine: programs link both.
add_library(sample_scene OBJECT
  ${CMAKE_CURRENT_LIST_DIR}/dds_painter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/garden_pictures.cpp
  ${CMAKE_CURRENT_LIST_DIR}/garden_slide.cpp
  ${CMAKE_CURRENT_LIST_DIR}/effect_sprites_slide.cpp
  ${CMAKE_CURRENT_LIST_DIR}/light_slides.cpp
  ${CMAKE_CURRENT_LIST_DIR}/masks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/night_slide.cpp
  ${CMAKE_CURRENT_LIST_DIR}/objects3d_slide.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sample_music.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sample_scene.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sample_slides.cpp
  ${CMAKE_CURRENT_LIST_DIR}/shader_effect_slides.cpp
  ${CMAKE_CURRENT_LIST_DIR}/slide_setup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sprite_pictures.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sprite_slide.cpp
  ${CMAKE_CURRENT_LIST_DIR}/star_pictures.cpp
  ${CMAKE_CURRENT_LIST_DIR}/stars_slide.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_pictures.cpp)
target_include_directories(sample_scene PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(sample_scene PUBLIC engine platform)
# The texts' pictures are set with FreeType in a font fontconfig finds.
find_package(PkgConfig REQUIRED)
pkg_check_modules(SAMPLE_FONTS REQUIRED IMPORTED_TARGET freetype2 fontconfig)
target_link_libraries(sample_scene PRIVATE PkgConfig::SAMPLE_FONTS)
# The meshes and pictures of the 3D objects that the document stores.
set(SAVER_OBJECTS3D_DIR ${CMAKE_SOURCE_DIR}/resources/objects3d)
set(SAVER_OBJECTS3D_STORED
  ${SAVER_OBJECTS3D_DIR}/butterfly_body.png ${SAVER_OBJECTS3D_DIR}/butterfly_wing.png
  ${SAVER_OBJECTS3D_DIR}/leaf.x ${SAVER_OBJECTS3D_DIR}/leaf.png)
target_compile_definitions(sample_scene PRIVATE SAVER_OBJECTS3D_DIR="${SAVER_OBJECTS3D_DIR}")
# The effects the document carries, having no default in the common module.
set(SAVER_EFFECTS_DIR ${CMAKE_SOURCE_DIR}/resources/effects)
set(SAVER_EFFECTS_STORED
  ${SAVER_EFFECTS_DIR}/bend.fx ${SAVER_EFFECTS_DIR}/cloud.fx ${SAVER_EFFECTS_DIR}/rotation.fx
  ${SAVER_EFFECTS_DIR}/waterfall.fx)
target_compile_definitions(sample_scene PRIVATE SAVER_EFFECTS_DIR="${SAVER_EFFECTS_DIR}")

add_executable(make_sample_scene ${CMAKE_CURRENT_LIST_DIR}/make_sample_scene.cpp)
target_link_libraries(make_sample_scene PRIVATE sample_scene engine platform document_writer)

set(SAVER_SAMPLE_SCENE_DIR ${CMAKE_CURRENT_BINARY_DIR}/sample_scene)
set(SAVER_SAMPLE_SCENE ${SAVER_SAMPLE_SCENE_DIR}/sample_scene.dds)
file(MAKE_DIRECTORY ${SAVER_SAMPLE_SCENE_DIR})
add_custom_command(
  OUTPUT ${SAVER_SAMPLE_SCENE}
  COMMAND make_sample_scene ${SAVER_PICTURES_DIR}/desert_dunes.png ${SAVER_SOUNDS_DIR} ${SAVER_SAMPLE_SCENE}
  DEPENDS make_sample_scene ${SAVER_PICTURES_DIR}/desert_dunes.png ${SAVER_OBJECTS3D_STORED} ${SAVER_EFFECTS_STORED}
          ${SAVER_SOUNDS}
  COMMENT "Writing the sample scene"
  VERBATIM)
