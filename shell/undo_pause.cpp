// Rich edit controls differ in how undo can be held off, and the wrong way
// costs the user the whole history:
// - the text object model's ITextDocument::Undo(tomFalse)/Undo(tomTrue) is
//   the documented way on Windows;
// - an undo limit of 0 records nothing and keeps the history in Wine's
//   control, but is documented to switch undo off, and a control may drop
//   its history when the limit falls;
// - where neither keeps the history, colours are recorded like edits: an
//   extra Ctrl+Z is better than no undo at all.
// Which way keeps the history is found out once, on a hidden control of the
// editors' class: type, pause, colour, resume, undo, and see whether the
// typing went.
#include "shell/undo_pause.h"

#include <richedit.h>

#include "shell/text_document.h"

namespace {

enum class Way { TextObjectModel, UndoLimit, None };

constexpr WPARAM kUndoSteps = 100;  // the control's own default

// Returns whether the pause took hold; Stop must follow a successful Start.
bool Start(Way way, HWND editor)
{
    switch (way) {
    case Way::TextObjectModel: {
        ITextDocument* document = TextDocumentOf(editor);
        if (!document) return false;
        bool paused = SUCCEEDED(document->Undo(tomFalse, nullptr));
        document->Release();
        return paused;
    }
    case Way::UndoLimit: SendMessageA(editor, EM_SETUNDOLIMIT, 0, 0); return true;
    case Way::None: return false;
    }
    return false;
}

void Stop(Way way, HWND editor)
{
    if (way == Way::UndoLimit) {
        SendMessageA(editor, EM_SETUNDOLIMIT, kUndoSteps, 0);
    } else if (ITextDocument* document = TextDocumentOf(editor)) {
        document->Undo(tomTrue, nullptr);
        document->Release();
    }
}

bool KeepsHistory(Way way)
{
    HWND probe = CreateWindowExA(0, "RICHEDIT", "", WS_POPUP | ES_MULTILINE, 0, 0, 0, 0, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    if (!probe) return false;
    SendMessageA(probe, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("10 PRINT"));
    SendMessageA(probe, EM_SETSEL, 0, 2);
    bool paused = Start(way, probe);
    CHARFORMATA format = {};
    format.cbSize = sizeof format;
    format.dwMask = CFM_COLOR;
    format.crTextColor = RGB(255, 0, 0);
    SendMessageA(probe, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    if (paused) Stop(way, probe);
    SendMessageA(probe, EM_UNDO, 0, 0);
    bool typingUndone = GetWindowTextLengthA(probe) == 0;
    DestroyWindow(probe);
    return paused && typingUndone;
}

Way ChosenWay()
{
    static const Way way = KeepsHistory(Way::TextObjectModel) ? Way::TextObjectModel
                           : KeepsHistory(Way::UndoLimit)     ? Way::UndoLimit
                                                              : Way::None;
    return way;
}

}  // namespace

UndoPause::UndoPause(HWND editor) : editor_(Start(ChosenWay(), editor) ? editor : nullptr) {}

UndoPause::~UndoPause()
{
    if (editor_) Stop(ChosenWay(), editor_);
}
