list(APPEND CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/image.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_types.cpp
  ${CMAKE_CURRENT_LIST_DIR}/prodos.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dos33.cpp
  ${CMAKE_CURRENT_LIST_DIR}/properties_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/open_choice.cpp
  ${CMAKE_CURRENT_LIST_DIR}/apple_path.cpp
  ${CMAKE_CURRENT_LIST_DIR}/host_names.cpp
  ${CMAKE_CURRENT_LIST_DIR}/browser_names.cpp
  ${CMAKE_CURRENT_LIST_DIR}/apple_names.cpp
)
list(APPEND WIN32_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/open_from_image.cpp
  ${CMAKE_CURRENT_LIST_DIR}/properties_sheet.cpp
  ${CMAKE_CURRENT_LIST_DIR}/apple_browser.cpp
  ${CMAKE_CURRENT_LIST_DIR}/open_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/last_image.cpp
  ${CMAKE_CURRENT_LIST_DIR}/image_chooser.cpp
  ${CMAKE_CURRENT_LIST_DIR}/save_location.cpp
  ${CMAKE_CURRENT_LIST_DIR}/save_to_image.cpp
)
