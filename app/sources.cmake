list(APPEND CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/command_line.cpp
  ${CMAKE_CURRENT_LIST_DIR}/document_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_names.cpp
  ${CMAKE_CURRENT_LIST_DIR}/line_ends.cpp
  ${CMAKE_CURRENT_LIST_DIR}/status_texts.cpp
)
list(APPEND WIN32_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/command_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/documents.cpp
  ${CMAKE_CURRENT_LIST_DIR}/editing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/find_replace.cpp
  ${CMAKE_CURRENT_LIST_DIR}/formatting.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/goto_line.cpp
  ${CMAKE_CURRENT_LIST_DIR}/page_layout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/printing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/rich_text_copy.cpp
  ${CMAKE_CURRENT_LIST_DIR}/range_replace.cpp
  ${CMAKE_CURRENT_LIST_DIR}/special_characters.cpp
  ${CMAKE_CURRENT_LIST_DIR}/status_readout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_colour_menu.cpp
  ${CMAKE_CURRENT_LIST_DIR}/windows_files.cpp
  ${CMAKE_CURRENT_LIST_DIR}/startup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/toolbar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/word_wrap.cpp
)
