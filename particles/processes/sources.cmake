# The particle record and the processes that give particles their behaviour.
target_sources(engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/brownian.cpp
  ${CMAKE_CURRENT_LIST_DIR}/particle.cpp
  ${CMAKE_CURRENT_LIST_DIR}/processes.cpp)
