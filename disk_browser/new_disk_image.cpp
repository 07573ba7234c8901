#include "disk_browser/new_disk_image.h"

#include <iterator>
#include <string>
#include <vector>

#include "core/disk/apple_names.h"
#include "core/disk/dos33_new_volume.h"
#include "core/disk/image.h"
#include "core/disk/prodos_new_volume.h"
#include "core/documents/file_names.h"
#include "resources/resource.h"
#include "shell/app.h"
#include "shell/file_dialog.h"
#include "shell/file_replacement.h"
#include "shell/image_writing.h"
#include "shell/report_error.h"
#include "shell/settings.h"

namespace {

struct DiskKind {
    int control;
    int blocks;  // 0 for DOS 3.3
    const char* extension;
    const char* filter;
};
constexpr DiskKind kKinds[] = {
    {IDC_NEWDISK_DOS33, 0, ".do", "DOS 3.3 disk image (*.do)\0*.do\0"},
    {IDC_NEWDISK_PRODOS_140K, 280, ".po", "ProDOS disk image (*.po)\0*.po\0"},
    {IDC_NEWDISK_PRODOS_800K, 1600, ".po", "ProDOS disk image (*.po)\0*.po\0"},
    {IDC_NEWDISK_PRODOS_32M, 65535, ".hdv", "ProDOS hard disk image (*.hdv)\0*.hdv\0"},
};
constexpr const char* kDefaultVolumeName = "NEW.DISK";
constexpr int kVolumeNameChars = 15;

struct Choice {
    const DiskKind* kind = &kKinds[1];
    std::string volumeName = kDefaultVolumeName;
};

void ShowChoice(HWND dialog, const Choice& choice)
{
    CheckRadioButton(dialog, kKinds[0].control, std::end(kKinds)[-1].control, choice.kind->control);
    SendDlgItemMessageA(dialog, IDC_NEWDISK_NAME, EM_LIMITTEXT, kVolumeNameChars, 0);
    SetDlgItemTextA(dialog, IDC_NEWDISK_NAME, choice.volumeName.c_str());
}

// False, after the message, while the volume name would not do.
bool TakeChoice(HWND dialog, Choice& choice)
{
    for (const DiskKind& kind : kKinds)
        if (IsDlgButtonChecked(dialog, kind.control) == BST_CHECKED) choice.kind = &kind;
    char name[kVolumeNameChars + 1] = {};
    GetDlgItemTextA(dialog, IDC_NEWDISK_NAME, name, sizeof name);
    choice.volumeName = name;
    if (choice.kind->blocks == 0) return true;
    const std::string volume = "/" + choice.volumeName + "/";
    if (IsProdosPrefix(volume)) return true;
    ReportError(Message::BadApplePrefix, volume, 0, dialog);
    return false;
}

INT_PTR CALLBACK ChoiceProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        ShowChoice(dialog, *reinterpret_cast<Choice*>(lParam));
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK && !TakeChoice(dialog, *reinterpret_cast<Choice*>(GetWindowLongPtrA(dialog, DWLP_USER))))
            return TRUE;
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        break;
    }
    return FALSE;
}

std::vector<uint8_t> EmptyVolume(const Choice& choice)
{
    if (choice.kind->blocks == 0) return NewDosVolume();
    return NewProdosVolume(choice.kind->blocks, choice.volumeName, ProdosStampNow());
}

}  // namespace

void NewDiskImage(HWND frame)
{
    Choice choice;
    if (DialogBoxParamA(g_app.instance, "NewDiskImage", frame, ChoiceProc, reinterpret_cast<LPARAM>(&choice)) != IDOK)
        return;
    const std::string name = std::string("NEW") + choice.kind->extension;
    PrepareFileDialog(frame, g_settings.sourceDirectory.c_str(), "Save the new disk image as:", choice.kind->filter);
    if (ChooseSaveFile(JoinDirectory(g_settings.sourceDirectory, name), name) == 0) return;
    std::string path = ChosenFileBuffer();
    // The extension says what the image holds: another one would not open.
    if (ImageExtensionIndexOf(path) != ImageExtensionIndexOf(name)) path += choice.kind->extension;
    const std::vector<uint8_t> bytes = EmptyVolume(choice);
    if (bytes.empty() || !ReplaceFileThrough(path.c_str(), [&bytes](HANDLE file) { return WriteAllBytes(file, bytes); })) {
        PathParts parts = SplitPath(path);
        ReportError(Message::CouldNotWriteFile, parts.name + parts.extension, 0, frame);
        return;
    }
    RememberSourceDirectory(SplitPath(path).directory);
}
