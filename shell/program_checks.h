// Each program's check, kept up as it is edited. A change of its text
// starts a short wait that the next change starts again; once the typing
// pauses, the text is copied and checked on a worker thread, which touches
// no window, and the result comes back to the window thread. The frame
// hears of each new result.
#pragma once
#include <windows.h>

#include "core/basic/program_check.h"

// Sent to the frame when a program's new check is in; wParam is its editor.
inline constexpr UINT kProgramCheckedMessage = WM_APP + 0x23;
inline constexpr UINT kCheckPauseMs = 400;  // after the last change, before the check

// The text of a program's editor changed (or came in whole): check it
// again after the pause. Editors of other documents are left alone.
void ProgramTextChanged(HWND editor);
// The editor's last check, or null before the first comes in.
const ProgramCheck* LatestProgramCheck(HWND editor);
// The editor is going away.
void ForgetProgramCheck(HWND editor);
