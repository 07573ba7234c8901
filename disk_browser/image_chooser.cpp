// The image chooser for saving onto a disk image.
#include "disk_browser/image_chooser.h"

#include "core/disk/browser_names.h"
#include "core/disk/image.h"
#include "disk_browser/last_image.h"
#include "shell/file_dialog.h"
#include "shell/settings.h"

namespace {

constexpr char kTitle[] = "Choose a disk image where you want to save the file:";
// Posted once the dialog and its file list stand; WM_USER itself would be
// a dialog's DM_GETDEFID.
constexpr UINT kOpenLastImage = WM_APP;

UINT_PTR CALLBACK ChooserHook(HWND hook, UINT message, WPARAM, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: PostMessageA(hook, kOpenLastImage, 0, 0); return TRUE;
    case kOpenLastImage: OpenLastImage(GetParent(hook)); return TRUE;
    }
    return FALSE;
}

}  // namespace

bool ChooseImageForSaving(HWND frame, const std::string& startPath)
{
    if (ChooseDiskImage(frame, startPath, g_settings.sourceDirectory.c_str(), kTitle, ChooserHook, "A2Save") == 0)
        return false;
    g_browser.imagePath = ChosenFileBuffer();
    g_browser.imageTitle = ChosenFileTitle();
    g_browser.extensionIndex = ImageExtensionIndexOf(g_browser.imageTitle);
    g_browser.layout = DecideImageLayout(g_browser.extensionIndex, g_browser.imagePath);
    return true;
}
