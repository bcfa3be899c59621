target_sources(platform PRIVATE ${CMAKE_CURRENT_LIST_DIR}/sdl_video.cpp)
target_sources(platform PRIVATE ${CMAKE_CURRENT_LIST_DIR}/gl_context.cpp)
target_sources(platform PRIVATE ${CMAKE_CURRENT_LIST_DIR}/sdl_subsystems.cpp)
