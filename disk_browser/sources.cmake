list(APPEND WIN32_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/apple_browser.cpp
  ${CMAKE_CURRENT_LIST_DIR}/image_chooser.cpp
  ${CMAKE_CURRENT_LIST_DIR}/last_image.cpp
  ${CMAKE_CURRENT_LIST_DIR}/open_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/open_from_image.cpp
  ${CMAKE_CURRENT_LIST_DIR}/properties_sheet.cpp
  ${CMAKE_CURRENT_LIST_DIR}/save_location.cpp
  ${CMAKE_CURRENT_LIST_DIR}/save_to_image.cpp
)
