# The rendering context, render primitives and loaders.
target_sources(engine PRIVATE ${CMAKE_CURRENT_LIST_DIR}/current_device.cpp)
