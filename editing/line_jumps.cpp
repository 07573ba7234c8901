// The jumps read the whole program each time: where a reference is and which
// line it names depend on every line before it (the last of a number is the
// one the Apple keeps), and a 1,500-line program reads in a millisecond.
#include "editing/line_jumps.h"

#include <windowsx.h>
#include <richedit.h>

#include <algorithm>
#include <deque>
#include <new>
#include <optional>
#include <string>

#include "core/basic/line_references.h"
#include "core/text/typed_lines.h"
#include "editing/basic_program.h"
#include "editing/line_list_window.h"
#include "resources/resource.h"
#include "shell/app.h"
#include "shell/command_enabling.h"
#include "shell/documents.h"
#include "shell/editor_text.h"
#include "shell/report_error.h"

namespace {

constexpr size_t kHistoryLength = 16;  // jumps Jump Back can retrace

struct JumpStart {
    HWND editor;
    LONG position;
};
std::deque<JumpStart> g_history;  // the latest last

LONG Caret(HWND editor)
{
    CHARRANGE selection = {};
    SendMessageA(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    return selection.cpMin;
}

void PutCaret(HWND editor, LONG position)
{
    CHARRANGE caret = {position, position};
    SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&caret));
    SendMessageA(editor, EM_SCROLLCARET, 0, 0);
    SetFocus(editor);
}

bool StillThere(const JumpStart& start) { return IsWindow(start.editor) && IsDocumentWindow(GetParent(start.editor)); }

// Goes from `from` to the line `found` names, remembering `from`; tells the
// user when no line has that number.
void Jump(HWND frame, const BasicProgram& program, const CaretReference& found, LONG from)
{
    if (found.targetTextLine < 0) {
        ReportError(Message::NoSuchLine, ReferenceDigits(program.text, found.reference), 0, frame);
        return;
    }
    if (g_history.size() == kHistoryLength) g_history.pop_front();
    g_history.push_back({program.editor, from});
    PutCaret(program.editor, static_cast<LONG>(found.targetStart));
}

// The text line `position` is on, as the tokenizers count lines.
int TextLineOf(std::string_view text, size_t position)
{
    int line = 0;
    for (size_t start = 0; start <= text.size(); ++line) {
        NextTypedLine(text, start);
        if (start > position) break;
    }
    return line;
}

LineList JumpingLines(const BasicProgram& program, long target)
{
    LineList list;
    list.title = "Lines That Jump Here";
    list.columns = {{"Line", 50}, {"Reference", 120}, {"As typed", 380}};
    for (const JumpingLine& line : LinesThatJumpTo(program.text, target, program.language)) {
        const LineReference& reference = line.reference;
        const std::string named = std::string(ReferenceKeyword(reference.kind)) + " " +
                                  ReferenceDigits(program.text, reference);
        list.rows.push_back({static_cast<LONG>(reference.at),
                             {line.number >= 0 ? std::to_string(line.number) : std::string(), named,
                              std::string(LineAround(program.text, reference.at))}});
    }
    const size_t count = list.rows.size();
    const std::string references = count == 0   ? std::string("No reference")
                                   : count == 1 ? std::string("1 reference")
                                                : std::to_string(count) + " references";
    list.summary = references + " to line " + std::to_string(target) + ".";
    return list;
}

}  // namespace

void GoToReferencedLine(HWND frame)
{
    try {
        const std::optional<BasicProgram> program = ActiveBasicProgram();
        if (!program) {
            MessageBeep(MB_OK);  // F9 in a document that is no program
            return;
        }
        const LONG caret = Caret(program->editor);
        const CaretReference found = ReferenceAtCaret(program->text, static_cast<size_t>(caret), program->language);
        if (!found.found) {
            ReportError(Message::NoReferenceAtCaret, {}, 0, frame);
            return;
        }
        Jump(frame, *program, found, caret);
    } catch (const std::bad_alloc&) {
        ReportError(Message::CantAllocateMemory, {}, 0, frame);
    }
}

void JumpBack(HWND)
{
    while (!g_history.empty()) {
        const JumpStart start = g_history.back();
        g_history.pop_back();
        if (!StillThere(start)) continue;
        if (GetActiveEditor() != start.editor)
            SendMessageA(g_app.mdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(GetParent(start.editor)), 0);
        PutCaret(start.editor, std::min(start.position, EditorTextLength(start.editor)));
        return;
    }
    MessageBeep(MB_OK);  // no jump to go back from
}

void ShowLinesThatJumpHere(HWND frame)
{
    try {
        const std::optional<BasicProgram> program = ActiveBasicProgram();
        if (!program) return;
        const int textLine = TextLineOf(program->text, static_cast<size_t>(Caret(program->editor)));
        long number = -1;
        for (const ScannedLine& line : ScanLineReferences(program->text, program->language))
            if (line.textLine == textLine) number = line.number;
        if (number < 0) {
            ReportError(Message::CaretLineUnnumbered, {}, 0, frame);
            return;
        }
        ShowLineList(frame, JumpingLines(*program, number));
    } catch (const std::bad_alloc&) {
        ReportError(Message::CantAllocateMemory, {}, 0, frame);
    }
}

bool JumpOnControlClick(const MSG& message)
{
    if (message.message != WM_LBUTTONDOWN || !(message.wParam & MK_CONTROL)) return false;
    HWND editor = GetActiveEditor();
    if (!editor || message.hwnd != editor) return false;
    try {
        const std::optional<BasicProgram> program = ActiveBasicProgram();
        if (!program) return false;
        POINTL point = {GET_X_LPARAM(message.lParam), GET_Y_LPARAM(message.lParam)};
        const LONG at = static_cast<LONG>(SendMessageA(editor, EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&point)));
        const CaretReference found = ReferenceAtCaret(program->text, static_cast<size_t>(at), program->language);
        // Anywhere else the click does what it always does.
        if (!found.found) return false;
        Jump(g_app.frame, *program, found, at);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void EnableJumpCommands(HMENU editMenu)
{
    bool onReference = false, basic = false;
    try {
        if (const std::optional<BasicProgram> program = ActiveBasicProgram()) {
            basic = true;
            const size_t caret = static_cast<size_t>(Caret(program->editor));
            onReference = ReferenceAtCaret(program->text, caret, program->language).found;
        }
    } catch (const std::bad_alloc&) {
    }
    while (!g_history.empty() && !StillThere(g_history.back())) g_history.pop_back();
    EnableCommand(editMenu, IDM_GOTO_REFERENCED_LINE, onReference);
    EnableCommand(editMenu, IDM_JUMP_BACK, !g_history.empty());
    EnableCommand(editMenu, IDM_LINES_THAT_JUMP_HERE, basic);
}
