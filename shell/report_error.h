// Shows a numbered message in a box captioned "TAVO Error", and asks the
// program's questions.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

#include "core/messages/messages.h"

// Returns the answer for the overwrite question and 0 for every other message.
int ReportError(Message message, std::string_view text = {}, int value = 0, HWND owner = nullptr);
// Asks `question` in a box captioned "TAVO" with the question mark; `buttons`
// is MB_YESNO or MB_YESNOCANCEL. Returns IDYES, IDNO or IDCANCEL.
int AskQuestion(HWND owner, const std::string& question, UINT buttons = MB_YESNO);
