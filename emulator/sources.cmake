list(APPEND CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/emulator_texts.cpp
)
