// The Renumber dialog, and the renumbering put into the editor as one step
// Undo takes back, the selection and the view where they were.
#include "editing/renumber_command.h"

#include <richedit.h>

#include <new>
#include <optional>
#include <string>

#include "core/basic/line_references.h"
#include "core/text/typed_lines.h"
#include "editing/basic_program.h"
#include "editing/line_list_window.h"
#include "editing/range_replace.h"
#include "resources/resource.h"
#include "shell/app.h"
#include "shell/documents.h"
#include "shell/editor_colouring.h"
#include "shell/editor_text.h"
#include "shell/report_error.h"

namespace {

constexpr int kNumberChars = 5;  // the highest line number, 63999, has five digits
constexpr int kFields[] = {IDC_RENUMBER_FROM, IDC_RENUMBER_TO, IDC_RENUMBER_START, IDC_RENUMBER_STEP};

// The dialog's boxes: the program's first and last line, then 10 and 10.
struct Asked {
    const BasicProgram* program;
    RenumberRequest request;
};

void OnInitDialog(HWND dialog, const Asked& asked)
{
    long first = -1, last = -1;
    for (const ScannedLine& line : ScanLineReferences(asked.program->text, asked.program->language)) {
        if (line.number < 0) continue;
        if (first < 0) first = line.number;
        last = line.number;
    }
    const long values[] = {first, last, asked.request.start, asked.request.step};
    for (size_t i = 0; i < std::size(kFields); ++i) {
        SendDlgItemMessageA(dialog, kFields[i], EM_LIMITTEXT, kNumberChars, 0);
        if (values[i] >= 0) SetDlgItemTextA(dialog, kFields[i], std::to_string(values[i]).c_str());
    }
}

// Reads the four boxes into the request; the dialog stays open after a message.
bool OnOk(HWND dialog, Asked& asked)
{
    long values[std::size(kFields)] = {};
    for (size_t i = 0; i < std::size(kFields); ++i) {
        BOOL read = FALSE;
        values[i] = static_cast<long>(GetDlgItemInt(dialog, kFields[i], &read, FALSE));
        if (!read) {
            ReportError(Message::RenumberMissingNumber, {}, 0, dialog);
            SetFocus(GetDlgItem(dialog, kFields[i]));
            return false;
        }
    }
    asked.request = {values[0], values[1], values[2], values[3]};
    bool anyLine = false;
    for (const ScannedLine& line : ScanLineReferences(asked.program->text, asked.program->language))
        anyLine = anyLine || (line.number >= values[0] && line.number <= values[1]);
    if (!anyLine) {
        ReportError(Message::RenumberEmptyRange, std::to_string(values[0]), static_cast<int>(values[1]), dialog);
        return false;
    }
    return true;
}

INT_PTR CALLBACK RenumberProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        OnInitDialog(dialog, *reinterpret_cast<const Asked*>(lParam));
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            Asked& asked = *reinterpret_cast<Asked*>(GetWindowLongPtrA(dialog, DWLP_USER));
            if (OnOk(dialog, asked) && RenumberActiveProgram(dialog, asked.request)) EndDialog(dialog, IDOK);
        } else if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
        } else {
            break;
        }
        return TRUE;
    }
    return FALSE;
}

// Puts the renumbering into the editor with the selection on the same
// characters and the same part of the program in view. The span from the
// first number to the last goes in as plain text, one step for Undo: the
// rich-edit control takes many small changes, or rich text over many lines,
// far more slowly. A program of either BASIC is coloured again, what shows at
// once and the rest in idle time.
void PutIn(HWND editor, const std::string& text, const Renumbering& result)
{
    CHARRANGE selection = {};
    SendMessageA(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    POINT scroll = {};
    SendMessageA(editor, EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll));
    SendMessageA(editor, WM_SETREDRAW, FALSE, 0);
    // Told first, the colouring does not look at the whole span when the editor reports the change.
    FollowEdits(editor, text, result.edits);
    UncolourBeforeReplacing(editor, static_cast<LONG>(result.edits.front().at),
                            static_cast<LONG>(result.edits.back().end));
    ReplaceRangesPlainly(editor, result.edits);
    selection.cpMin = static_cast<LONG>(PositionAfterEdits(static_cast<size_t>(selection.cpMin), result.edits));
    selection.cpMax = static_cast<LONG>(PositionAfterEdits(static_cast<size_t>(selection.cpMax), result.edits));
    SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    // Drawn again, the editor brings the caret into view: the view is put back after.
    SendMessageA(editor, WM_SETREDRAW, TRUE, 0);
    SendMessageA(editor, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll));
    if (LanguageOf(GetParent(editor))) {
        const size_t spanEnd = result.edits.back().end;
        ColourPlainText(editor, static_cast<LONG>(result.edits.front().at),
                        static_cast<LONG>(PositionAfterEdits(spanEnd, result.edits)));
    }
    InvalidateRect(editor, nullptr, FALSE);
}

// The references renumbering left, each row taking the caret to one.
LineList LeftReferences(const Renumbering& result)
{
    LineList list;
    list.title = "Renumber";
    list.columns = {{"Line", 50}, {"Left as it is", 360}, {"As typed", 240}};
    for (const ReferenceLeft& left : result.left)
        list.rows.push_back({static_cast<LONG>(left.offset),
                             {left.lineNumber >= 0 ? std::to_string(left.lineNumber) : std::string(), left.what,
                              std::string(LineAround(result.text, left.offset))}});
    const size_t count = result.left.size();
    list.summary = std::to_string(result.changes.size()) + (result.changes.size() == 1 ? " line" : " lines") +
                   " renumbered. " + std::to_string(count) + (count == 1 ? " reference is" : " references are") +
                   " left as " + (count == 1 ? "it is" : "they are") + ": choose one to look at it.";
    return list;
}

}  // namespace

void ShowRenumberDialog(HWND frame)
{
    try {
        const std::optional<BasicProgram> program = ActiveBasicProgram();
        if (!program) return;
        Asked asked = {&*program, {}};
        DialogBoxParamA(g_app.instance, "RENUMBER", frame, RenumberProc, reinterpret_cast<LPARAM>(&asked));
        SetFocus(program->editor);
    } catch (const std::bad_alloc&) {
        ReportError(Message::CantAllocateMemory, {}, 0, frame);
    }
}

bool RenumberActiveProgram(HWND owner, const RenumberRequest& request)
{
    try {
        const std::optional<BasicProgram> program = ActiveBasicProgram();
        if (!program) return false;
        const Renumbering result = RenumberProgram(program->text, program->language, request);
        if (result.refusal != Message::None) {
            ReportError(result.refusal, result.refusalText, result.refusalValue, owner);
            return false;
        }
        if (!result.edits.empty()) PutIn(program->editor, program->text, result);
        if (!result.left.empty()) ShowLineList(g_app.frame, LeftReferences(result));
        return true;
    } catch (const std::bad_alloc&) {
        ReportError(Message::CantAllocateMemory, {}, 0, owner);
        return false;
    }
}
