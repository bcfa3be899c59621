# The resource module common_res, built as common_res.res beside saver,
# where LoadLibraryW(L"common_res.dll") finds it.
set(SAVER_COMMON_RES ${CMAKE_BINARY_DIR}/common_res.res)
saver_compile_rc(${CMAKE_CURRENT_LIST_DIR}/common_res.rc ${SAVER_COMMON_RES}
                 ${CMAKE_CURRENT_LIST_DIR}/common_res_ids.h
                 ${SAVER_PICTURES_DIR}/dawn_hills.png ${SAVER_PICTURES_DIR}/dark_weave.png
                 INCLUDES ${SAVER_PICTURES_DIR})
add_custom_target(common_res ALL DEPENDS ${SAVER_COMMON_RES})
