list(APPEND WIN32_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/applesoft_page.cpp
  ${CMAKE_CURRENT_LIST_DIR}/editor_page.cpp
  ${CMAKE_CURRENT_LIST_DIR}/general_page.cpp
  ${CMAKE_CURRENT_LIST_DIR}/preference_pages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/preferences_sheet.cpp
)
