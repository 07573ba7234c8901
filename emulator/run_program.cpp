// Run edited Program, Inject text and the keyword commands. The document is
// only read: what is typed is composed from a copy of its text, so text,
// formatting, selection, scroll position, modified flag and undo history
// end as they began.
#include "emulator/run_program.h"

#include <richedit.h>

#include <new>
#include <string>

#include "core/disk/apple_names.h"
#include "core/disk/image.h"
#include "core/emulator/emulator_texts.h"
#include "core/settings/setting_values.h"
#include "editing/check_program.h"
#include "emulator/disk_commands.h"
#include "emulator/injection.h"
#include "shell/app.h"
#include "shell/documents.h"
#include "shell/editor_text.h"
#include "shell/report_error.h"
#include "shell/settings.h"

namespace {

std::string ApplePathOf(HWND editor)
{
    size_t slot = TableSlotOf(editor);
    return slot ? g_documents.applePath[slot] : std::string();
}

// SAVE with a name the disk's system would not take saves elsewhere, or
// runs the rest of the line as a command of its own.
bool SavePathTypable(HWND frame, HWND editor)
{
    return !ReportRefusal(frame, RefuseApplePath(LayoutOfApplePath(ApplePathOf(editor)), ApplePathOf(editor)));
}

// The whole text as the editor's Copy puts it on the clipboard: every line
// break a carriage return and a line feed.
std::string CopiedText(HWND editor)
{
    GETTEXTLENGTHEX how = {GTL_USECRLF | GTL_PRECISE | GTL_NUMBYTES, CP_ACP};
    LRESULT length = SendMessageA(editor, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&how), 0);
    if (length <= 0) return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    GETTEXTEX get = {static_cast<DWORD>(text.size()), GT_USECRLF, CP_ACP, nullptr, nullptr};
    LRESULT copied = SendMessageA(editor, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get),
                                  reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(copied > 0 && copied <= length ? copied : 0));
    return text;
}

// With "CheckBeforeRun" on, a program Check Program finds problems in is
// run only when the user says so; true when the findings are shown instead.
bool ShowsCheckInstead(HWND frame)
{
    if (!ParseFlag(g_settings.checkBeforeRun) || !ApplesoftDocumentActive()) return false;
    ProgramCheck check = CheckActiveProgram();
    if (check.findings.empty()) return false;
    const size_t count = check.findings.size();
    const std::string question = "Check Program finds " + std::to_string(count) +
                                 (count == 1 ? " problem" : " problems") +
                                 " in this program. Show them instead of running it?";
    if (AskQuestion(frame, question) != IDYES) return false;
    ShowProgramCheck(frame, std::move(check));
    return true;
}

}  // namespace

LRESULT RunEditedProgram(HWND frame)
{
    // Read and cleared by every run, so a Save that typed nothing leaves no SAVE behind.
    bool save = g_app.runSavesInstead;
    g_app.runSavesInstead = false;
    HWND editor = GetActiveEditor();
    if (!editor || (save && !SavePathTypable(frame, editor))) return 0;
    std::string text;
    try {
        if (!save && ShowsCheckInstead(frame)) return 0;
        std::string program = EditorTextRange(editor, 0, EditorTextLength(editor));
        text = save ? SaveProgramText(program, ApplePathOf(editor)) : RunProgramText(program);
    } catch (const std::bad_alloc&) {
        ReportError(Message::CantAllocateMemory, {}, 0, frame);
        return 0;
    }
    return InjectText(text, AfterPaste::StayWithEmulator) ? 1 : 0;
}

LRESULT InjectDocument(HWND frame)
{
    HWND editor = GetActiveEditor();
    if (!editor) return 0;
    std::string text;
    try {
        text = CopiedText(editor);
    } catch (const std::bad_alloc&) {
        ReportError(Message::CantAllocateMemory, {}, 0, frame);
        return 0;
    }
    return InjectText(text, AfterPaste::StayWithEmulator) ? 1 : 0;
}

void TypeKeyword(int index)
{
    std::string text = KeywordText(index);
    if (!text.empty()) InjectText(text);
}
