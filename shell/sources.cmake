list(APPEND WIN32_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/app.cpp
  ${CMAKE_CURRENT_LIST_DIR}/command_enabling.cpp
  ${CMAKE_CURRENT_LIST_DIR}/default_font.cpp
  ${CMAKE_CURRENT_LIST_DIR}/document_windows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/documents.cpp
  ${CMAKE_CURRENT_LIST_DIR}/editor_colouring.cpp
  ${CMAKE_CURRENT_LIST_DIR}/editor_setup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/editor_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frame_title.cpp
  ${CMAKE_CURRENT_LIST_DIR}/report_error.cpp
  ${CMAKE_CURRENT_LIST_DIR}/rich_text_copy.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/status_readout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/undo_pause.cpp
  ${CMAKE_CURRENT_LIST_DIR}/word_wrap.cpp
)
