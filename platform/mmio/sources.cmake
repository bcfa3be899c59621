target_sources(platform PRIVATE ${CMAKE_CURRENT_LIST_DIR}/memory_file.cpp)
