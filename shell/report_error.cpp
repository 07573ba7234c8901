// The Win32 half of the message table: the box itself.
#include "shell/report_error.h"
#include "shell/app.h"

static_assert(kBoxOk == MB_OK && kBoxYesNo == MB_YESNO && kBoxIconError == MB_ICONERROR &&
              kBoxIconQuestion == MB_ICONQUESTION && kBoxIconWarning == MB_ICONWARNING);

int ReportError(Message message, std::string_view text, int value, HWND owner)
{
    ComposedMessage m = ComposeMessage(message, text, value);
    if (!m.show) return 0;
    int answer = MessageBoxA(owner, m.text.c_str(), "TAVO Error", m.flags);
    return m.returnsAnswer ? answer : 0;
}

int AskQuestion(HWND owner, const std::string& question, UINT buttons)
{
    return MessageBoxA(owner, question.c_str(), kProductName, buttons | MB_ICONQUESTION);
}
