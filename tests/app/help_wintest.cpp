// The user's guide: TAVOHelp.chm is built beside the program with every page
// of help/, and Help opens it in the Windows help viewer.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "shell/app.h"
#include "support/app_fixture.h"

namespace {

std::string HelpFile() { return BuildFolder() + "\\TAVOHelp.chm"; }
// The build compiles a copy of help/ there.
std::string HelpSource(const std::string& name) { return BuildFolder() + "\\help\\" + name; }

uint32_t Dword(const std::string& b, size_t at)
{
    uint32_t value = 0;
    if (at + 4 <= b.size()) std::memcpy(&value, b.data() + at, 4);
    return value;
}

// A compiled help file's directory: each stored name with its length in
// bytes. The directory is a chain of "PMGL" chunks after the "ITSP" header.
std::map<std::string, uint64_t> ChmDirectory(const std::string& b)
{
    std::map<std::string, uint64_t> names;
    if (b.compare(0, 4, "ITSF") != 0) return names;
    const size_t itsp = Dword(b, 0x48);  // the second header section: the directory
    if (b.compare(itsp, 4, "ITSP") != 0) return names;
    const size_t chunkSize = Dword(b, itsp + 0x10);
    const size_t chunks = itsp + Dword(b, itsp + 8);
    auto encint = [&b](size_t& at) {
        uint64_t value = 0;
        while (at < b.size()) {
            uint8_t byte = static_cast<uint8_t>(b[at++]);
            value = (value << 7) | (byte & 0x7F);
            if (!(byte & 0x80)) break;
        }
        return value;
    };
    for (size_t chunk = chunks; chunkSize && chunk + chunkSize <= b.size(); chunk += chunkSize) {
        if (b.compare(chunk, 4, "PMGL") != 0) continue;  // "PMGI" index chunks repeat names
        size_t at = chunk + 20;
        const size_t end = chunk + chunkSize - Dword(b, chunk + 4);
        while (at < end) {
            size_t length = encint(at);
            std::string name = b.substr(at, length);
            at += length;
            encint(at);  // content section
            encint(at);  // offset
            names[name] = encint(at);
        }
    }
    return names;
}

// The pages the project file lists under [FILES].
std::vector<std::string> ProjectFiles()
{
    std::ifstream project(HelpSource("TAVOHelp.hhp"));
    std::vector<std::string> files;
    bool inFiles = false;
    for (std::string line; std::getline(project, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line[0] == '[') inFiles = line == "[FILES]";
        else if (inFiles && !line.empty()) files.push_back(line);
    }
    return files;
}

// Every page a contents, index or page file points to.
std::set<std::string> LinksIn(const std::string& text)
{
    static const std::regex link(R"re((?:value="([^"#]+\.html)")|(?:href="([^"#:]+)"))re", std::regex::icase);
    std::set<std::string> found;
    for (std::sregex_iterator it(text.begin(), text.end(), link), end; it != end; ++it)
        found.insert((*it)[1].matched ? (*it)[1].str() : (*it)[2].str());
    return found;
}

TEST(HelpFile, BuiltBesideTheProgramWithEveryPageAndNoDeadLink)
{
    const std::string chm = ReadFileText(HelpFile());
    ASSERT_EQ(chm.substr(0, 4), "ITSF") << HelpFile();
    const std::map<std::string, uint64_t> directory = ChmDirectory(chm);
    const std::vector<std::string> files = ProjectFiles();
    ASSERT_GE(files.size(), 10u);
    for (const std::string& page : {"index.html", "menu_file.html", "emulator.html", "settings.html",
                                    "shortcuts.html", "starting.html"})
        EXPECT_NE(std::find(files.begin(), files.end(), page), files.end()) << page;

    std::vector<std::string> sources = files;
    sources.insert(sources.end(), {"TAVOHelp.hhc", "TAVOHelp.hhk"});
    for (const std::string& file : sources) {
        SCOPED_TRACE(file);
        const std::string text = ReadFileText(HelpSource(file));
        ASSERT_FALSE(text.empty());
        auto stored = directory.find("/" + file);
        ASSERT_NE(stored, directory.end());
        EXPECT_EQ(stored->second, text.size());
        for (const std::string& target : LinksIn(text))
            EXPECT_NE(std::find(files.begin(), files.end(), target), files.end()) << "dead link to " << target;
    }
    // The viewer's table of the guide's options: title, window, first page.
    EXPECT_TRUE(directory.count("/#SYSTEM"));
}

bool SameFile(std::string a, std::string b)
{
    return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) == CSTR_EQUAL;
}

struct ViewerSearch {
    DWORD self;
    HWND found;
};

// A top-level window titled as the guide's own window definition, of another process.
HWND FindViewer()
{
    ViewerSearch search = {GetCurrentProcessId(), nullptr};
    EnumWindows(
        [](HWND window, LPARAM lParam) -> BOOL {
            auto* s = reinterpret_cast<ViewerSearch*>(lParam);
            DWORD pid = 0;
            GetWindowThreadProcessId(window, &pid);
            char title[64] = {};
            GetWindowTextA(window, title, sizeof title);
            if (pid == s->self || std::strcmp(title, "TAVO Help") != 0) return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

class HelpTest : public AppTest {};

TEST_F(HelpTest, ContentsShowsTheGuideBesideTheProgramInTheWindowsHelpViewer)
{
    // The start folder has no guide of its own.
    ASSERT_TRUE(SameFile(g_app.helpPath, HelpFile())) << g_app.helpPath;
    ASSERT_EQ(FindViewer(), nullptr) << "a help viewer is open already";

    // WinExec hands the viewer every inheritable handle; with the test's
    // output among them, the viewer or a program it starts would hold the
    // output open after the test ends, and the test runner would wait for it.
    for (DWORD which : {STD_OUTPUT_HANDLE, STD_ERROR_HANDLE})
        SetHandleInformation(GetStdHandle(which), HANDLE_FLAG_INHERIT, 0);
    Command(IDM_HELP_CONTENTS);
    HWND viewer = nullptr;
    for (int i = 0; i < 200 && !viewer; ++i) {
        Sleep(50);
        viewer = FindViewer();
    }
    // The window's title comes from inside the guide: the viewer read it.
    ASSERT_NE(viewer, nullptr) << "no help viewer window";
    DWORD pid = 0;
    GetWindowThreadProcessId(viewer, &pid);
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE | PROCESS_TERMINATE, FALSE, pid);
    ASSERT_NE(process, nullptr);
    char image[MAX_PATH] = {};
    DWORD size = sizeof image;
    EXPECT_TRUE(QueryFullProcessImageNameA(process, 0, image, &size));
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, sizeof windows);
    EXPECT_TRUE(SameFile(image, std::string(windows) + "\\hh.exe")) << image;

    PostMessageA(viewer, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process, 10000) != WAIT_OBJECT_0) {
        TerminateProcess(process, 1);
        WaitForSingleObject(process, 5000);
    }
    CloseHandle(process);
}

}  // namespace
