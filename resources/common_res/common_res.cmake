# The resource module common_res, built as common_res.res beside saver,
# where LoadLibraryW(L"common_res.dll") finds it.
set(SAVER_COMMON_RES ${CMAKE_BINARY_DIR}/common_res.res)
set(SAVER_OBJECTS3D_DEFAULTS)
foreach(name butterfly_body.x butterfly_wing.x clock_square.x clock_dial.png clock_hand.png)
  list(APPEND SAVER_OBJECTS3D_DEFAULTS ${CMAKE_SOURCE_DIR}/resources/objects3d/${name})
endforeach()
saver_compile_rc(${CMAKE_CURRENT_LIST_DIR}/common_res.rc ${SAVER_COMMON_RES}
                 ${CMAKE_CURRENT_LIST_DIR}/common_res_ids.h
                 ${SAVER_PICTURES_DIR}/dawn_hills.png ${SAVER_PICTURES_DIR}/dark_weave.png
                 ${SAVER_OBJECTS3D_DEFAULTS}
                 INCLUDES ${SAVER_PICTURES_DIR} ${CMAKE_SOURCE_DIR}/resources/objects3d)
add_custom_target(common_res ALL DEPENDS ${SAVER_COMMON_RES})
