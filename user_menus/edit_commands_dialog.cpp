// The modeless Edit Commands dialog: adds, changes and removes the user's
// commands in the settings file, keeping the Command menu and the run-time
// accelerator table in step. List row i is entry i + 1.
#include "user_menus/edit_commands_dialog.h"

#include <optional>
#include <string>

#include "core/settings/setting_values.h"
#include "core/user_menus/accelerator_text.h"
#include "core/user_menus/user_entries.h"
#include "resources/resource.h"
#include "shell/report_error.h"
#include "shell/settings.h"
#include "user_menus/accelerators.h"
#include "user_menus/user_commands.h"

namespace {

// What the open dialog works with; the frame owns the accelerator table.
struct DialogState {
    HWND dialog = nullptr;
    HWND frame = nullptr;
    HINSTANCE instance = nullptr;
    AcceleratorTable* accelerators = nullptr;
};
DialogState g_state;
constexpr int kFieldChars = 256;  // each box holds 255 characters

std::string EntrySetting(const char* format, int n)
{
    return ReadSetting(kCommandsSection, IndexedKey(format, n).c_str());
}
void WriteEntrySetting(const char* format, int n, const char* value)
{
    WriteSetting(kCommandsSection, IndexedKey(format, n).c_str(), value);
}
int CommandCount() { return ParseCount(ReadSetting(kCommandsSection, kCommandCountKey), kMaxUserCommands); }
UINT CommandId(int n) { return static_cast<UINT>(IDM_USER_COMMAND_FIRST - 1 + n); }

std::string FieldText(HWND dialog, int id)
{
    char text[kFieldChars] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

LRESULT ToList(HWND dialog, UINT message, WPARAM wParam = 0, const char* text = nullptr)
{
    return SendDlgItemMessageA(dialog, IDC_EDITCMD_COMMAND, message, wParam, reinterpret_cast<LPARAM>(text));
}

// The row whose whole name equals `name`, letters compared without case; a
// name that only begins the same way is another command.
int FindRow(HWND dialog, const std::string& name)
{
    LRESULT row = ToList(dialog, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), name.c_str());
    return row == CB_ERR ? -1 : static_cast<int>(row);
}

void RebuildAccelerators() { *g_state.accelerators = BuildAcceleratorTable(g_state.instance, *g_state.accelerators); }

void Close(HWND dialog)
{
    DestroyWindow(dialog);
    g_state.dialog = nullptr;
}

void OnInit(HWND dialog)
{
    ToList(dialog, CB_LIMITTEXT, kFieldChars - 1);
    SendDlgItemMessageA(dialog, IDC_EDITCMD_SCRIPT, EM_LIMITTEXT, kFieldChars - 1, 0);
    SendDlgItemMessageA(dialog, IDC_EDITCMD_ACCELERATOR, EM_LIMITTEXT, kFieldChars - 1, 0);
    SetDlgItemTextA(dialog, IDC_EDITCMD_ACCELERATOR, "0");
    for (int n = 1, count = CommandCount(); n <= count; ++n)
        ToList(dialog, CB_ADDSTRING, 0, EntrySetting(kCommandNameKey, n).c_str());
}

void OnChoose(HWND dialog)
{
    LRESULT row = ToList(dialog, CB_GETCURSEL);
    if (row == CB_ERR) return;
    int n = static_cast<int>(row) + 1;
    std::string accelerator = EntrySetting(kCommandAcceleratorKey, n);
    std::string script = EntrySetting(kCommandScriptKey, n);
    SetDlgItemTextA(dialog, IDC_EDITCMD_ACCELERATOR, accelerator == kMissingKeyText ? "0" : accelerator.c_str());
    SetDlgItemTextA(dialog, IDC_EDITCMD_SCRIPT, script == kMissingKeyText ? "" : ScriptOfStored(script).c_str());
}

// A key a built-in command has stays that command's. The question names
// both from the menu item ("Complete Wor&d\tCtrl+J"); true to store anyway.
bool MayTakeBuiltInKey(HWND dialog, const char* accelerator)
{
    const std::optional<AcceleratorKey> key = ParseAcceleratorText(accelerator);
    const UINT command = key ? BuiltInCommandOfKey(g_state.instance, *key) : 0;
    if (command == 0) return true;
    char item[kFieldChars] = {};
    GetMenuStringA(GetMenu(g_state.frame), command, item, sizeof item, MF_BYCOMMAND);
    std::string name = item, keyName = "This key";
    if (const size_t tab = name.find('\t'); tab != std::string::npos) {
        keyName = name.substr(tab + 1);
        name.resize(tab);
    }
    std::erase(name, '&');
    const std::string owner = name.empty() ? std::string("a built-in command") : "the built-in command " + name;
    const std::string question = keyName + " belongs to " + owner + ", which keeps it: with it this command " +
                                 "runs only from the menu. Save the key anyway?";
    return AskQuestion(dialog, question) == IDYES;
}

// Okay and Apply: the entry named in the Command box is changed, or added
// when no entry has that name.
void OnStore(HWND dialog, bool close)
{
    std::string name = FieldText(dialog, IDC_EDITCMD_COMMAND);
    if (name.empty()) {
        ReportError(Message::CommandNameMissing, {}, 0, dialog);
        return;
    }
    std::string typedAccelerator = FieldText(dialog, IDC_EDITCMD_ACCELERATOR);
    const char* accelerator = typedAccelerator.size() < 2 ? "0" : typedAccelerator.c_str();
    if (!MayTakeBuiltInKey(dialog, accelerator)) return;
    std::string script = StoredScript(FieldText(dialog, IDC_EDITCMD_SCRIPT));
    HMENU menu = CommandMenu(g_state.frame);
    int row = FindRow(dialog, name);
    int n = row + 1;
    if (row < 0) {
        int count = CommandCount();
        if (count == kMaxUserCommands) {  // a further entry would have no command id
            MessageBeep(MB_ICONWARNING);
            return;
        }
        n = count + 1;
        WriteSetting(kCommandsSection, kCommandCountKey, FormatDecimal(n).c_str());
        // The start-up separator is missing when the list began empty.
        int items = GetMenuItemCount(menu);
        if (n == 1 && !(GetMenuState(menu, static_cast<UINT>(items - 1), MF_BYPOSITION) & MF_SEPARATOR))
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        AppendCommandItem(g_state.frame, n, name);
        ToList(dialog, CB_ADDSTRING, 0, name.c_str());
    } else {
        // The name may differ in letter case: menu and list show it as stored.
        ModifyMenuA(menu, CommandId(n), MF_BYCOMMAND | MF_STRING, CommandId(n), MenuTextWithTabs(name).c_str());
        DrawMenuBar(g_state.frame);
        ToList(dialog, CB_DELETESTRING, static_cast<WPARAM>(row));
        ToList(dialog, CB_INSERTSTRING, static_cast<WPARAM>(row), name.c_str());
        SetDlgItemTextA(dialog, IDC_EDITCMD_COMMAND, name.c_str());
    }
    WriteEntrySetting(kCommandNameKey, n, name.c_str());
    WriteEntrySetting(kCommandAcceleratorKey, n, accelerator);
    WriteEntrySetting(kCommandScriptKey, n, script.c_str());
    if (close) Close(dialog);
    RebuildAccelerators();
}

void OnRemove(HWND dialog)
{
    int row = FindRow(dialog, FieldText(dialog, IDC_EDITCMD_COMMAND));
    int count = CommandCount();
    if (row < 0 || row >= count) return;
    HMENU menu = CommandMenu(g_state.frame);
    for (int n = 1; n <= count; ++n) DeleteMenu(menu, CommandId(n), MF_BYCOMMAND);
    RemoveNumberedEntry(kCommandsSection, {kCommandNameKey, kCommandAcceleratorKey, kCommandScriptKey}, kCommandCountKey, row + 1, count);
    ToList(dialog, CB_DELETESTRING, static_cast<WPARAM>(row));
    SetDlgItemTextA(dialog, IDC_EDITCMD_COMMAND, "");
    for (int n = 1, left = CommandCount(); n <= left; ++n) AppendCommandItem(g_state.frame, n, EntrySetting(kCommandNameKey, n));
    RebuildAccelerators();
}

INT_PTR CALLBACK EditCommandsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: OnInit(dialog); return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_EDITCMD_COMMAND:
            if (HIWORD(wParam) == CBN_SELCHANGE) OnChoose(dialog);
            return TRUE;
        case IDOK: OnStore(dialog, true); return TRUE;
        case IDC_EDITCMD_APPLY: OnStore(dialog, false); return TRUE;
        case IDC_EDITCMD_REMOVE: OnRemove(dialog); return TRUE;
        case IDCANCEL: Close(dialog); return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

}  // namespace

void OpenEditCommandsDialog(HWND frame, HINSTANCE instance, AcceleratorTable& accelerators)
{
    if (g_state.dialog) return;
    g_state = {nullptr, frame, instance, &accelerators};
    g_state.dialog = CreateDialogParamA(instance, "EDITCMD", frame, EditCommandsProc, 0);
    if (!g_state.dialog) ReportError(Message::CantCreateEditCommandsDialog, {}, 0, frame);
}

HWND EditCommandsDialog() { return g_state.dialog; }

void CloseEditCommandsDialog()
{
    if (g_state.dialog) Close(g_state.dialog);
}
