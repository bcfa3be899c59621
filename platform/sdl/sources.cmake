target_sources(platform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/foreign_embedding.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gl_context.cpp
  ${CMAKE_CURRENT_LIST_DIR}/renderer_heap.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sdl_subsystems.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sdl_video.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_surface.cpp)
