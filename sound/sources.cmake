target_sources(engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/direct_sound.cpp
  ${CMAKE_CURRENT_LIST_DIR}/soundtrack.cpp)
