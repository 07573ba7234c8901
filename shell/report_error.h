// Shows a numbered message in a box captioned "TAVO Error".
#pragma once
#include <windows.h>

#include <string_view>

#include "core/messages/messages.h"

// Returns the answer for the overwrite question and 0 for every other message.
int ReportError(Message message, std::string_view text = {}, int value = 0, HWND owner = nullptr);
