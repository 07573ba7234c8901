// The one file dialog record that opening, saving, choosing a disk image and
// picking programs share, with its buffers and remembered filter.
#pragma once
#include <windows.h>
#include <commdlg.h>

#include <string>

inline constexpr DWORD kFileBufferChars = 2048;   // the dialog's file buffer (`current file path`)
inline constexpr DWORD kFileTitleChars = 264;     // its file title buffer (`current file name`)

// Sets up the shared dialog record: owner, initial directory, the filter
// list (Open's three filters unless given), the remembered filter index,
// title and "txt" as default extension.
void PrepareFileDialog(HWND owner, const char* initialDirectory, const char* title,
                       const char* filters = nullptr);
// The open dialog with multiple selection. A later browser passes its hook
// and template; without them it is the plain dialog. Returns the offset of
// the first file name in the file buffer, 0 on cancel or failure. Only a
// successful choice updates the remembered filter index.
DWORD ChooseOpenFile(LPOFNHOOKPROC hook = nullptr, const char* templateName = nullptr);
// The save dialog, asking before it overwrites, starting with the file
// `path` named `name`. Returns the file-name offset, 0 on cancel.
DWORD ChooseSaveFile(const std::string& path, const std::string& name);
// The image chooser for saving onto a disk image: the save dialog with the
// disk image filters and the browser's `hook` and `templateName`, starting
// with the file `path` (in `initialDirectory` when `path` is empty). Returns
// the file-name offset, 0 on cancel.
DWORD ChooseDiskImage(HWND owner, const std::string& path, const char* initialDirectory, const char* title,
                      LPOFNHOOKPROC hook, const char* templateName);
// The open dialog for one file, which need not exist yet, for the Utilities
// menu: the chosen path (at most 259 characters), or "" on cancel.
std::string ChooseProgramFile();
// The answer of the last dialog: the file buffer and the file title.
const char* ChosenFileBuffer();
const char* ChosenFileTitle();
int RememberedFilterIndex();
