# The resource module common_res, built as common_res.res beside saver,
# where LoadLibraryW(L"common_res.dll") finds it.
set(SAVER_COMMON_RES ${CMAKE_BINARY_DIR}/common_res.res)
file(GLOB SAVER_SCREEN_EFFECTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/effects/*.fx)
set(SAVER_OBJECTS3D_DEFAULTS)
foreach(name butterfly_body.x butterfly_wing.x clock_square.x clock_dial.png clock_hand.png)
  list(APPEND SAVER_OBJECTS3D_DEFAULTS ${CMAKE_SOURCE_DIR}/resources/objects3d/${name})
endforeach()
saver_compile_rc(${CMAKE_CURRENT_LIST_DIR}/common_res.rc ${SAVER_COMMON_RES}
                 ${CMAKE_CURRENT_LIST_DIR}/common_res_ids.h
                 ${SAVER_PICTURES_DIR}/dawn_hills.png ${SAVER_PICTURES_DIR}/dark_weave.png
                 ${SAVER_PICTURES_DIR}/glyph_strip.png ${SAVER_PICTURES_DIR}/ball_highlight.png
                 ${SAVER_PICTURES_DIR}/ball_glint.png ${SAVER_PICTURES_DIR}/ball_stand.png
                 ${SAVER_PICTURES_DIR}/water_bump.png ${SAVER_PICTURES_DIR}/flame_pattern.png
                 ${SAVER_PICTURES_DIR}/distortion_bump.png ${SAVER_PICTURES_DIR}/fire_pattern.png
                 ${SAVER_PICTURES_DIR}/tileable_noise.png
                 ${SAVER_PICTURES_DIR}/bright_bolt.png ${SAVER_PICTURES_DIR}/thin_bolt.png
                 ${CMAKE_SOURCE_DIR}/resources/effects/screen_effects.rc ${SAVER_SCREEN_EFFECTS}
                 ${SAVER_OBJECTS3D_DEFAULTS}
                 INCLUDES ${SAVER_PICTURES_DIR} ${CMAKE_SOURCE_DIR}/resources)
add_custom_target(common_res ALL DEPENDS ${SAVER_COMMON_RES})
