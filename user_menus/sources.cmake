list(APPEND WIN32_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/accelerators.cpp
  ${CMAKE_CURRENT_LIST_DIR}/commands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/edit_commands_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/special_characters.cpp
  ${CMAKE_CURRENT_LIST_DIR}/utilities.cpp
  ${CMAKE_CURRENT_LIST_DIR}/utility_dialogs.cpp
)
