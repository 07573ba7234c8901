// The shared file dialog record and its buffers.
#include "shell/file_dialog.h"

#include <cstring>

#include "shell/app.h"

namespace {

#define TAVO_IMAGE_PATTERNS "*.hdv;*.po;*.do;*.dsk;*.2mg;*.2img;*.nib;*.nb2;*.woz;*.d13"
constexpr char kFilters[] =
    "Disk images\0" TAVO_IMAGE_PATTERNS "\0"
    "Disk images, Text & Rich Text Files\0*.txt;*.rtf;" TAVO_IMAGE_PATTERNS "\0"
    "All Files\0*.*\0";
constexpr char kImageFilters[] =
    "Disk Images\0" TAVO_IMAGE_PATTERNS "\0"
    "All Files (*.*)\0*.*\0";
#undef TAVO_IMAGE_PATTERNS
OPENFILENAMEA g_dialog = {};
char g_fileBuffer[kFileBufferChars] = {};
char g_fileTitle[kFileTitleChars] = {};
DWORD g_filterIndex = 2;  // remembered across Open commands

// The dialog's buffers, holding the file it starts with.
void StartWith(const std::string& path, const std::string& name)
{
    std::memset(g_fileBuffer, 0, sizeof g_fileBuffer);
    std::strncpy(g_fileBuffer, path.c_str(), sizeof g_fileBuffer - 1);
    std::memset(g_fileTitle, 0, sizeof g_fileTitle);
    std::strncpy(g_fileTitle, name.c_str(), sizeof g_fileTitle - 1);
    g_dialog.hInstance = g_app.instance;
    g_dialog.lpstrFile = g_fileBuffer;
    g_dialog.lpstrFileTitle = g_fileTitle;
}

}  // namespace

void PrepareFileDialog(HWND owner, const char* initialDirectory, const char* title, const char* filters)
{
    g_dialog = {};
    g_dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400A;  // the record without the places bar
    g_dialog.hwndOwner = owner;
    g_dialog.lpstrFilter = filters ? filters : kFilters;
    g_dialog.nFilterIndex = g_filterIndex;
    g_dialog.nMaxFile = kFileBufferChars;
    g_dialog.nMaxFileTitle = kFileTitleChars;
    g_dialog.lpstrInitialDir = initialDirectory;
    g_dialog.lpstrTitle = title;
    g_dialog.lpstrDefExt = "txt";
}

DWORD ChooseOpenFile(LPOFNHOOKPROC hook, const char* templateName)
{
    std::memset(g_fileBuffer, 0, sizeof g_fileBuffer);
    std::memset(g_fileTitle, 0, sizeof g_fileTitle);
    g_dialog.hInstance = g_app.instance;
    g_dialog.lpstrFile = g_fileBuffer;
    g_dialog.lpstrFileTitle = g_fileTitle;
    g_dialog.Flags = OFN_EXPLORER | OFN_SHAREAWARE | OFN_CREATEPROMPT | OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY;
    if (hook) {
        g_dialog.lpfnHook = hook;
        g_dialog.Flags |= OFN_ENABLEHOOK;
    }
    if (templateName) {
        g_dialog.lpTemplateName = templateName;
        g_dialog.Flags |= OFN_ENABLETEMPLATE;
    }
    if (!GetOpenFileNameA(&g_dialog)) return 0;
    g_filterIndex = g_dialog.nFilterIndex;
    return g_dialog.nFileOffset;
}

DWORD ChooseSaveFile(const std::string& path, const std::string& name)
{
    StartWith(path, name);
    g_dialog.Flags = OFN_EXPLORER | OFN_SHAREAWARE | OFN_CREATEPROMPT | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    if (!GetSaveFileNameA(&g_dialog)) return 0;
    return g_dialog.nFileOffset;
}

DWORD ChooseDiskImage(HWND owner, const std::string& path, const char* initialDirectory, const char* title,
                      LPOFNHOOKPROC hook, const char* templateName)
{
    PrepareFileDialog(owner, initialDirectory, title);
    g_dialog.lpstrFilter = kImageFilters;
    g_dialog.nFilterIndex = 1;
    StartWith(path, "");
    g_dialog.lpfnHook = hook;
    g_dialog.lpTemplateName = templateName;
    // Picking an image that exists is the point: no question about replacing it.
    g_dialog.Flags = OFN_EXPLORER | OFN_SHAREAWARE | OFN_CREATEPROMPT | OFN_HIDEREADONLY | OFN_ENABLEHOOK |
                     OFN_ENABLETEMPLATE;
    if (!GetSaveFileNameA(&g_dialog)) return 0;
    return g_dialog.nFileOffset;
}

std::string ChooseProgramFile()
{
    char path[MAX_PATH] = {};
    g_dialog.lpstrFile = path;
    g_dialog.nMaxFile = sizeof path;
    g_dialog.lpstrFileTitle = nullptr;
    g_dialog.Flags = OFN_CREATEPROMPT | OFN_HIDEREADONLY;
    BOOL chosen = GetOpenFileNameA(&g_dialog);
    g_dialog.lpstrFile = nullptr;  // the buffer is gone once this returns
    return chosen ? path : "";
}

const char* ChosenFileBuffer() { return g_fileBuffer; }
const char* ChosenFileTitle() { return g_fileTitle; }
int RememberedFilterIndex() { return static_cast<int>(g_filterIndex); }
