list(APPEND WIN32_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/check_program.cpp
  ${CMAKE_CURRENT_LIST_DIR}/editing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/find_replace.cpp
  ${CMAKE_CURRENT_LIST_DIR}/formatting.cpp
  ${CMAKE_CURRENT_LIST_DIR}/goto_line.cpp
  ${CMAKE_CURRENT_LIST_DIR}/page_layout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/printing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/range_replace.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_colour_menu.cpp
  ${CMAKE_CURRENT_LIST_DIR}/word_wrap_menu.cpp
)
