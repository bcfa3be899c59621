# Sources of this area are listed here.
target_sources(platform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/bmp_decoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/colour_key.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dds_decoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dxt.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fvf.cpp
  ${CMAKE_CURRENT_LIST_DIR}/image_info.cpp
  ${CMAKE_CURRENT_LIST_DIR}/jpeg_decoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/load_surface.cpp
  ${CMAKE_CURRENT_LIST_DIR}/matrix.cpp
  ${CMAKE_CURRENT_LIST_DIR}/normal_map.cpp
  ${CMAKE_CURRENT_LIST_DIR}/picture_decoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pixel_format.cpp
  ${CMAKE_CURRENT_LIST_DIR}/png_decoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/resample.cpp
  ${CMAKE_CURRENT_LIST_DIR}/surface_io.cpp
  ${CMAKE_CURRENT_LIST_DIR}/texture_from_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/texture_levels.cpp
  ${CMAKE_CURRENT_LIST_DIR}/texture_plan.cpp
  ${CMAKE_CURRENT_LIST_DIR}/texture_requirements.cpp
  ${CMAKE_CURRENT_LIST_DIR}/texture_tools.cpp
  ${CMAKE_CURRENT_LIST_DIR}/transforms.cpp
  ${CMAKE_CURRENT_LIST_DIR}/vector.cpp)
