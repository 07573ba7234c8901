list(APPEND CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/main_window_size.cpp
  ${CMAKE_CURRENT_LIST_DIR}/preferences.cpp
  ${CMAKE_CURRENT_LIST_DIR}/setting_values.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings_table.cpp
)
list(APPEND WIN32_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/settings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/default_font.cpp
  ${CMAKE_CURRENT_LIST_DIR}/preferences_sheet.cpp
  ${CMAKE_CURRENT_LIST_DIR}/editor_page.cpp
  ${CMAKE_CURRENT_LIST_DIR}/applesoft_page.cpp
)
