list(APPEND CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/applesoft_tokens.cpp
  ${CMAKE_CURRENT_LIST_DIR}/applesoft_listing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/applesoft_tokenizer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/program_check.cpp
  ${CMAKE_CURRENT_LIST_DIR}/integer_listing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hex_dump.cpp
  ${CMAKE_CURRENT_LIST_DIR}/apple_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/remove_spaces.cpp
  ${CMAKE_CURRENT_LIST_DIR}/coloured_rtf.cpp
  ${CMAKE_CURRENT_LIST_DIR}/colour_scanner.cpp
  ${CMAKE_CURRENT_LIST_DIR}/colour_record.cpp
)
list(APPEND WIN32_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/editor_colouring.cpp
  ${CMAKE_CURRENT_LIST_DIR}/editor_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/undo_pause.cpp
)
