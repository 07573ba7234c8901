list(APPEND CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/message_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/document_table.cpp
)
list(APPEND WIN32_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/command_stubs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/command_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/documents.cpp
  ${CMAKE_CURRENT_LIST_DIR}/editing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/report_error.cpp
  ${CMAKE_CURRENT_LIST_DIR}/startup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/toolbar.cpp
)
