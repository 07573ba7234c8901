// The active document when it is a BASIC program, with its whole text: what
// the language tools (renumbering, the jumps) work on.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "core/basic/basic_language.h"

struct BasicProgram {
    HWND editor = nullptr;
    BasicLanguage language = BasicLanguage::Applesoft;
    std::string text;  // one character a position of the editor
};

// Empty when no Applesoft or Integer BASIC document is active.
std::optional<BasicProgram> ActiveBasicProgram();
