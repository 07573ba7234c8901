// The Win32 half of the message table: the box itself.
#include "app/report_error.h"

#include "app/message_table.h"

static_assert(kBoxOk == MB_OK && kBoxYesNo == MB_YESNO && kBoxIconError == MB_ICONERROR &&
              kBoxIconQuestion == MB_ICONQUESTION && kBoxIconWarning == MB_ICONWARNING);

int ReportError(unsigned number, std::string_view text, int value, HWND owner)
{
    ComposedMessage m = ComposeMessage(number, text, value);
    if (!m.show) return 0;
    int answer = MessageBoxA(owner, m.text.c_str(), "TAVO Error", m.flags);
    return m.returnsAnswer ? answer : 0;
}
