list(APPEND WIN32_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/disk_commands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/emulator_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/injection.cpp
  ${CMAKE_CURRENT_LIST_DIR}/program_list.cpp
  ${CMAKE_CURRENT_LIST_DIR}/run_program.cpp
)
