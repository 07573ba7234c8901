#include "shell/frame_title.h"

#include "core/documents/file_names.h"
#include "shell/app.h"

void SetFrameTitle(HWND frame, const std::string& fileName)
{
    std::string title = std::string(kProductName) + " - " + (fileName.empty() ? std::string(kUntitled) : fileName);
    SetWindowTextA(frame, title.c_str());
}
