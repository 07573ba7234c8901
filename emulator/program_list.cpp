// List Programs Running: a new Edit document with the title of every
// top-level window, from which the user copies the emulator's exact title
// into the settings.
#include "emulator/program_list.h"

#include <richedit.h>

#include "core/emulator/emulator_texts.h"
#include "core/settings/setting_values.h"
#include "emulator/emulator_window.h"
#include "resources/resource.h"
#include "shell/app.h"
#include "shell/default_font.h"
#include "shell/documents.h"
#include "shell/settings.h"

void ListProgramsRunning(HWND frame)
{
    HWND before = GetActiveDocument();
    SendMessageA(frame, WM_COMMAND, IDM_NEW_EDIT, 0);
    HWND document = GetActiveDocument();
    // Only the document made here may be written to.
    if (!document || document == before || !IsDocumentOfKind(document, DocumentKind::Edit)) return;
    HWND editor = EditorOf(document);
    if (!editor) return;
    ApplyDefaultFont(editor, g_settings.currentFontName.c_str(), ParseDecimal(g_settings.currentFontSize));
    SendMessageA(editor, EM_SETBKGNDCOLOR, 0, g_settings.backgroundColour);

    std::vector<std::string> titles;
    for (const TopLevelWindow& w : TopLevelWindows()) titles.push_back(w.title);
    std::string text = ProgramListText(titles);
    SendMessageA(editor, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageA(editor, EM_SETMODIFY, FALSE, 0);
}
