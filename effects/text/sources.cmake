# The text overlays: still, scrolling and link text drawn from the pictures
# the document stores.
target_sources(engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/scrolling_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/static_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_link.cpp)
