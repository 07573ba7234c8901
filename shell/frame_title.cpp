#include "shell/frame_title.h"

#include "shell/app.h"

void SetFrameTitle(HWND frame, const std::string& fileName)
{
    std::string title = std::string(kProductName) + " - " + (fileName.empty() ? std::string("Untitled") : fileName);
    SetWindowTextA(frame, title.c_str());
}
