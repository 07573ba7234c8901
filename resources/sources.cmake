list(APPEND CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/document_kinds.cpp
  ${CMAKE_CURRENT_LIST_DIR}/messages.cpp
)
list(APPEND WIN32_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/report_error.cpp
)
