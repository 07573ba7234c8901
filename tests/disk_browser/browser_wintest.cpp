// The open dialog's Apple part, driven for real: while Open waits in the
// dialog, a helper thread finds it, types names into its file-name box,
// presses its buttons and reads the Apple list's rows.
#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <map>
#include <thread>

#include "core/colouring/colour_scanner.h"
#include "core/disk/apple_path.h"
#include "core/disk/browser_names.h"
#include "core/disk/file_types.h"
#include "core/disk/image_builder.h"
#include "core/disk/open_choice.h"
#include "disk_browser/apple_browser.h"
#include "disk_browser/open_dialog.h"
#include "resources/resource.h"
#include "shell/app.h"
#include "shell/documents.h"
#include "shell/editor_colouring.h"
#include "shell/file_dialog.h"
#include "shell/settings.h"
#include "support/app_fixture.h"
#include "support/editor_probe.h"
#include "support/shared_data.h"

namespace {

using fixture::Bytes;

constexpr char kOpenTitle[] = "Open a file to edit:";
constexpr DWORD kWaitMilliseconds = 10000;
constexpr DWORD kDialogWaitMilliseconds = 60000;  // a loaded machine is slow to show the shell's file list

struct Row {
    std::string name;
    int icon = 0;
    bool cut = false;
    bool operator==(const Row&) const = default;
};

void PrintTo(const Row& row, std::ostream* out) { *out << '"' << row.name << "\" " << row.icon << (row.cut ? " cut" : ""); }

bool WaitFor(const std::function<bool()>& ready, DWORD milliseconds = kWaitMilliseconds)
{
    for (DWORD start = GetTickCount(); GetTickCount() - start < milliseconds; Sleep(10))
        if (ready()) return true;
    return false;
}

BOOL CALLBACK FindAppleList(HWND child, LPARAM found)
{
    if (GetDlgCtrlID(child) != IDC_BROWSER_LIST) return TRUE;
    *reinterpret_cast<HWND*>(found) = child;
    return FALSE;
}

// The open dialog as the helper thread sees it; every call is a message to
// the windows of the test's thread, which sits in the dialog's modal loop.
class OpenDialog {
public:
    bool Find()
    {
        return WaitFor([&] {
            for (HWND window : TopLevelWindowsOf(GetCurrentProcessId(), "#32770")) {
                char caption[64] = {};
                GetWindowTextA(window, caption, sizeof caption);
                if (std::string(caption) != kOpenTitle) continue;
                EnumChildWindows(window, FindAppleList, reinterpret_cast<LPARAM>(&list_));
                // Ready once the system dialog shows the files of its start folder.
                HWND shellView = FindWindowExA(window, nullptr, "SHELLDLL_DefView", nullptr);
                HWND files = shellView ? FindWindowExA(shellView, nullptr, WC_LISTVIEWA, nullptr) : nullptr;
                if (!list_ || !files || ListView_GetItemCount(files) == 0) continue;
                dialog_ = window;
                hook_ = GetParent(list_);
                return true;
            }
            return false;
        }, kDialogWaitMilliseconds);
    }
    bool Open() const { return IsWindow(dialog_); }
    HWND list() const { return list_; }

    // Types `name` into the file-name box and presses Open.
    void Pick(const std::string& name)
    {
        HWND box = GetDlgItem(dialog_, cmb13);
        SetWindowTextA(box ? box : GetDlgItem(dialog_, edt1), name.c_str());
        SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog_, IDOK)));
    }
    void Press(UINT id) { SendMessageA(hook_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    void Cancel() { PostMessageA(dialog_, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); }

    std::vector<Row> Rows() const
    {
        std::vector<Row> rows;
        int count = ListView_GetItemCount(list_);
        for (int item = 0; item < count; ++item) {
            char name[64] = {};
            LVITEMA read = {};
            read.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_STATE;
            read.iItem = item;
            read.pszText = name;
            read.cchTextMax = sizeof name;
            read.stateMask = LVIS_CUT;
            SendMessageA(list_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&read));
            rows.push_back({name, read.iImage, (read.state & LVIS_CUT) != 0});
        }
        return rows;
    }
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const Row& row : Rows()) names.push_back(row.name);
        return names;
    }
    int Find(const std::string& name) const
    {
        std::vector<std::string> names = Names();
        auto at = std::find(names.begin(), names.end(), name);
        return at == names.end() ? -1 : static_cast<int>(at - names.begin());
    }
    void Select(const std::vector<std::string>& names)
    {
        ListView_SetItemState(list_, -1, 0, LVIS_SELECTED);
        for (const std::string& name : names) ListView_SetItemState(list_, Find(name), LVIS_SELECTED, LVIS_SELECTED);
    }
    void DoubleClick(const std::string& name)
    {
        RECT rect = {};
        ListView_GetItemRect(list_, Find(name), &rect, LVIR_LABEL);
        SendMessageA(list_, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(rect.left + 2, rect.top + 2));
    }
    // Starts the rename of the selected row, types `name` and confirms it.
    void Rename(const std::string& name)
    {
        Press(IDM_APPLE_RENAME);
        HWND edit = ListView_GetEditControl(list_);
        ASSERT_NE(edit, nullptr);
        SetWindowTextA(edit, name.c_str());
        PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(edit); }));
    }
    // The state of each menu item (by id) with the rows selected now.
    UINT MenuState(UINT id) const
    {
        AppleBrowser probe;
        probe.view = list_;
        HMENU menu = BuildRowMenu(probe, IDC_BROWSER_OPEN_APPLE, "&Open Apple");
        UINT state = GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED;
        DestroyMenu(menu);
        return state;
    }

private:
    HWND dialog_ = nullptr;
    HWND hook_ = nullptr;
    HWND list_ = nullptr;
};

// The frame's side of the disk commands, answered here as a frame with or
// without a running emulator would, recording what it was handed.
WNDPROC g_frameProc = nullptr;
LRESULT g_frameAnswer = 0;
std::vector<std::string> g_frameSaw;

LRESULT CALLBACK AnsweringFrame(HWND frame, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND) {
        switch (LOWORD(wParam)) {
        case IDM_APPLE_LOCK:
        case IDM_APPLE_RENAME:
        case IDM_APPLE_PREFIX:
        case IDM_APPLE_DELETE:
            g_frameSaw.push_back(std::to_string(LOWORD(wParam)) + " " + std::to_string(HIWORD(wParam)) + " " +
                                 g_browser.selectedAppleName + ">" + g_browser.newAppleName);
            return g_frameAnswer;
        }
    }
    return CallWindowProcA(g_frameProc, frame, message, wParam, lParam);
}

class BrowserTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        boxes_->Ignore(kOpenTitle);
    }
    void TearDown() override
    {
        if (g_frameProc) SetWindowLongPtrA(frame_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_frameProc));
        g_frameProc = nullptr;
        AppTest::TearDown();
    }

    // Open, with `drive` working in the dialog; the dialog is cancelled if
    // `drive` leaves it open. Returns Open's result. The image used last is
    // `lastImage`: one that lists itself while `drive` picks another races it.
    LRESULT OpenWith(const std::function<void(OpenDialog&)>& drive,
                     const std::function<LRESULT()>& open = nullptr, const char* lastImage = "")
    {
        WriteSetting("Directories", "LastImage", lastImage);
        bool found = false;
        std::thread helper([&] {
            OpenDialog dialog;
            found = dialog.Find();
            if (!found) return;
            drive(dialog);
            if (dialog.Open()) dialog.Cancel();
        });
        LRESULT result = open ? open() : Command(IDM_OPEN);
        helper.join();
        EXPECT_TRUE(found);
        return result;
    }
    void WriteImage(const std::string& name, const std::vector<uint8_t>& bytes)
    {
        std::ofstream out(folder_->File(name), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    void AnswerRowCommands(LRESULT answer)
    {
        if (!g_frameProc)
            g_frameProc = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrA(frame_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AnsweringFrame)));
        g_frameAnswer = answer;
        g_frameSaw.clear();
    }
};

// /VOL/ with HELLO (Applesoft), NOTES (text, locked) and SUB holding INNER.
std::vector<uint8_t> WalkImage()
{
    fixture::ProdosBuilder image(280, "VOL");
    image.AddFile(0, "HELLO", Bytes("x"), {.fileType = 0xFC});
    image.AddFile(0, "NOTES", Bytes("x"), {.fileType = 0x04, .access = 0x01});
    int sub = image.AddDirectory(0, "SUB");
    image.AddFile(sub, "INNER", Bytes("x"));
    return image.BlockOrder();
}

const std::vector<Row> kWalkVolume = {{"HELLO", 8, false}, {"NOTES", 7, true}, {"SUB", 3, false}};

TEST_F(BrowserTest, AProdosImageIsListedEnteredAndLeft)
{
    WriteImage("walk.po", WalkImage());
    WriteImage("junk.po", Bytes("no volume here"));
    boxes_->Expect(kErrorCaption, IDOK);
    EXPECT_EQ(OpenWith([](OpenDialog& dialog) {
                  dialog.Pick("junk.po");  // the message, an empty list, and the dialog stays
                  EXPECT_TRUE(dialog.Rows().empty());
                  EXPECT_TRUE(dialog.Open());
                  EXPECT_EQ(dialog.MenuState(IDM_APPLE_PREFIX), static_cast<UINT>(MF_GRAYED));
                  dialog.Pick("walk.po");
                  EXPECT_TRUE(dialog.Open());  // the OK was refused
                  EXPECT_EQ(dialog.Rows(), kWalkVolume);
                  EXPECT_EQ(g_browser.currentPrefix, "/VOL/");
                  EXPECT_EQ(dialog.MenuState(IDM_APPLE_PREFIX), 0u);

                  dialog.DoubleClick("SUB");
                  EXPECT_EQ(dialog.Rows(), (std::vector<Row>{{"INNER", 12, false}}));
                  EXPECT_EQ(g_browser.currentPrefix, "/VOL/SUB/");

                  dialog.Press(IDC_BROWSER_UP);
                  EXPECT_EQ(dialog.Rows(), kWalkVolume);
                  EXPECT_EQ(g_browser.currentPrefix, "/VOL/");

                  dialog.Press(IDC_BROWSER_UP);  // out of the image: nothing of it is offered
                  EXPECT_TRUE(dialog.Rows().empty());
                  EXPECT_TRUE(dialog.Open());
                  EXPECT_EQ(dialog.MenuState(IDM_APPLE_PREFIX), static_cast<UINT>(MF_GRAYED));
              }),
              0);
    EXPECT_EQ(Setting("Directories", "LastImage"), "walk.po");
    EXPECT_EQ(AppleSelectionCount(), 0u);
    ASSERT_EQ(boxes_->Answered().size(), 1u);
    EXPECT_EQ(boxes_->Answered()[0].text, "Could not read file, junk.po!");
}

TEST_F(BrowserTest, AFolderThatHoldsItselfIsEnteredOnlyWhileItsPathFits)
{
    fixture::ProdosBuilder image(280, "VOL");
    int sub = image.AddDirectory(0, "SUB");
    EntryRef loop = image.DirectoryRef(image.AddDirectory(sub, "LOOP"));
    fixture::ProdosBuilder::Put16(image.Entry(loop), 17, image.DirectoryKeyBlock(sub));
    WriteImage("loop.po", image.BlockOrder());
    OpenWith([](OpenDialog& dialog) {
        dialog.Pick("loop.po");
        dialog.Select({"SUB"});
        dialog.Press(IDC_BROWSER_OPEN_APPLE);
        for (int i = 0; i < kMaxDirectoryLevel + 6; ++i) {
            dialog.Select({"LOOP"});
            dialog.Press(IDC_BROWSER_OPEN_APPLE);
        }
        // Each entry appends "SUB/"; the last that fits a 129-byte path stays.
        std::string deepest = "/VOL/SUB/";
        while (deepest.size() + 4 < kApplePathChars) deepest += "SUB/";
        EXPECT_EQ(g_browser.currentPrefix, deepest);
        EXPECT_EQ(dialog.Names(), std::vector<std::string>{"LOOP"});
        dialog.Press(IDC_BROWSER_UP);
        EXPECT_EQ(g_browser.currentPrefix, deepest.substr(0, deepest.size() - 4));
    });
}

TEST_F(BrowserTest, AFileThatIsNoImageClosesTheDialogAsAWindowsOpen)
{
    WriteFileText(folder_->File("note.txt"), "HELLO");
    WriteFileText(folder_->File("po"), "shorter than its extension");
    for (const char* name : {"note.txt", "po"}) {
        EXPECT_EQ(OpenWith([&](OpenDialog& dialog) {
                      dialog.Pick(name);
                      EXPECT_TRUE(WaitFor([&] { return !dialog.Open(); }));
                  }),
                  1);
        EXPECT_EQ(AppleSelectionCount(), 0u);
        EXPECT_EQ(WindowTitle(GetActiveDocument()), name);
    }
}

TEST_F(BrowserTest, TheImageUsedLastOpensByItself)
{
    WriteImage("walk.po", WalkImage());
    OpenWith(
        [](OpenDialog& dialog) {
            EXPECT_TRUE(WaitFor([&] { return !dialog.Rows().empty(); }));
            EXPECT_EQ(dialog.Rows(), kWalkVolume);
            EXPECT_TRUE(dialog.Open());
        },
        nullptr, "walk.po");
    EXPECT_EQ(g_browser.imageTitle, "walk.po");
}

class BrowserFromCommandLineTest : public BrowserTest {
    bool StartsInSetUp() const override { return false; }
};

// TAVO.exe started for a disk image (a drag onto its icon) lists it in the
// open dialog; a text named with it opens as a document first.
TEST_F(BrowserFromCommandLineTest, AnImageNamedAtStartUpIsListed)
{
    const std::string disks = folder_->File("my disks");
    ASSERT_TRUE(CreateDirectoryA(disks.c_str(), nullptr));
    WriteImage("my disks\\walk.po", WalkImage());
    WriteFileText(folder_->File("NOTES.TXT"), "notes");
    OpenWith(
        [](OpenDialog& dialog) {
            EXPECT_TRUE(WaitFor([&] { return !dialog.Rows().empty(); }));
            EXPECT_EQ(dialog.Rows(), kWalkVolume);
        },
        [&] { return Start("\"" + disks + "\\walk.po\" NOTES.TXT") ? 1 : 0; });
    EXPECT_EQ(g_browser.imageTitle, "walk.po");
    EXPECT_EQ(g_settings.sourceDirectory, disks);
    ASSERT_NE(GetActiveEditor(), nullptr);
    EXPECT_EQ(EditorText(GetActiveEditor()), "notes");
}

TEST_F(BrowserTest, ChosenRowsFillTheSelectionListInListOrder)
{
    fixture::ProdosBuilder image(280, "VOL");
    EntryRef zed = image.AddFile(0, "ZED", Bytes("x"), {.fileType = 0x04});
    int mid = image.AddDirectory(0, "MID");
    image.AddFile(mid, "DEEP", Bytes("x"));
    EntryRef alpha = image.AddFile(0, "ALPHA", Bytes("x"), {.fileType = 0xFC});
    WriteImage("pick.po", image.BlockOrder());

    // One folder and Open Apple: the folder is entered, nothing is chosen.
    OpenWith([](OpenDialog& dialog) {
        dialog.Pick("pick.po");
        dialog.Select({"MID"});
        dialog.Press(IDC_BROWSER_OPEN_APPLE);
        EXPECT_EQ(dialog.Names(), std::vector<std::string>{"DEEP"});
        EXPECT_EQ(g_browser.currentPrefix, "/VOL/MID/");
    });
    EXPECT_EQ(AppleSelectionCount(), 0u);

    // Nothing selected: the message, and the dialog stays.
    boxes_->Expect(kErrorCaption, IDOK);
    OpenWith([](OpenDialog& dialog) {
        dialog.Pick("pick.po");
        dialog.Press(IDC_BROWSER_OPEN_APPLE);
        EXPECT_TRUE(dialog.Open());
    });
    ASSERT_EQ(boxes_->Answered().size(), 1u);
    EXPECT_EQ(boxes_->Answered()[0].text, "A file needs to be selected!");

    // The dialog itself, as Open shows it: it must end as a successful choice.
    LRESULT offset = OpenWith(
        [](OpenDialog& dialog) {
            dialog.Pick("pick.po");
            dialog.Select({"ALPHA", "MID", "ZED"});
            dialog.Press(IDC_BROWSER_OPEN_APPLE);
            EXPECT_TRUE(WaitFor([&] { return !dialog.Open(); }));
        },
        [&] {
            PrepareFileDialog(frame_, folder_->path().c_str(), kOpenTitle);
            return static_cast<LRESULT>(ChooseOpenFile(OpenDialogHook, kOpenDialogTemplate));
        });
    ASSERT_GT(offset, 0);
    EXPECT_EQ(std::string(ChosenFileBuffer() + offset), "pick.po");
    ASSERT_EQ(AppleSelectionCount(), 3u);
    EXPECT_EQ(g_documents.browserSelection[3], alpha);
    EXPECT_EQ(g_documents.browserSelection[2], 0u);
    EXPECT_EQ(g_documents.browserSelection[1], zed);
    EXPECT_EQ(g_browser.imageTitle, "pick.po");
}

// New Folder in a folder of the image: the folder is listed again with the
// new one's name open for editing, and the name typed there renames it.
TEST_F(BrowserTest, NewFolderIsListedWithItsNameOpenForEditing)
{
    WriteImage("walk.po", WalkImage());
    std::string proposed;
    OpenWith([&](OpenDialog& dialog) {
        dialog.Pick("walk.po");
        dialog.DoubleClick("SUB");
        dialog.Press(IDM_APPLE_NEW_FOLDER);
        EXPECT_EQ(dialog.Names(), (std::vector<std::string>{"INNER", "NEW.FOLDER"}));
        EXPECT_EQ(g_browser.currentPrefix, "/VOL/SUB/");
        HWND edit = ListView_GetEditControl(dialog.list());
        ASSERT_NE(edit, nullptr);
        char text[32] = {};
        GetWindowTextA(edit, text, sizeof text);
        proposed = text;
        SetWindowTextA(edit, "GAMES");
        PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(edit); }));
    });
    EXPECT_EQ(proposed, "NEW.FOLDER");
    AppleDirectory sub;
    DirectoryRow row;
    int layout = LayoutNone;
    const std::string image = folder_->File("walk.po");
    EXPECT_NE(FindAppleEntry(image, kExtensionPo, "/VOL/SUB/NEW.FOLDER", layout, sub, row), Message::None);
    ASSERT_EQ(FindAppleEntry(image, kExtensionPo, "/VOL/SUB/GAMES", layout, sub, row), Message::None);
    EXPECT_EQ(row.icon, kFolderIcon);
}

TEST_F(BrowserTest, RowCommandsActOnTheirRowAndFollowTheFrame)
{
    fixture::DosBuilder image;
    image.AddFile("HELLO", 2, Bytes("xxxx"));
    image.AddFile("SHUT", 0, Bytes("x"), {.locked = true});
    WriteImage("dos.do", image.Bytes());
    const std::string hello = "HELLO" + std::string(25, ' ');
    const std::string bye = "BYE";

    OpenWith([&](OpenDialog& dialog) {
        dialog.Pick("dos.do");
        EXPECT_EQ(dialog.Rows(), (std::vector<Row>{{hello, 8, false}, {"SHUT" + std::string(26, ' '), 7, true}}));
        EXPECT_EQ(g_browser.currentPrefix, "");
        for (UINT id : {IDM_APPLE_LOCK, IDM_APPLE_RENAME, IDM_APPLE_DELETE, IDM_APPLE_PREFIX})
            EXPECT_EQ(dialog.MenuState(id), static_cast<UINT>(MF_GRAYED)) << id;
        dialog.Select({hello});
        EXPECT_EQ(dialog.MenuState(IDM_APPLE_LOCK), 0u);
        EXPECT_EQ(dialog.MenuState(IDM_APPLE_PREFIX), static_cast<UINT>(MF_GRAYED));

        // A frame that could not type the command leaves the row as it was.
        AnswerRowCommands(1);
        dialog.Press(IDM_APPLE_LOCK);
        dialog.Rename(bye);
        EXPECT_EQ(g_frameSaw, (std::vector<std::string>{"36 0 HELLO>", "30 0 HELLO>BYE"}));
        EXPECT_EQ(dialog.Rows()[0], (Row{hello, 8, false}));

        AnswerRowCommands(0);
        dialog.Press(IDM_APPLE_LOCK);
        EXPECT_TRUE(dialog.Rows()[0].cut);
        dialog.Rename(bye);
        EXPECT_EQ(dialog.Names()[0], bye);
        dialog.Select({bye});
        dialog.Press(IDM_APPLE_DELETE);
        dialog.Press(IDM_APPLE_PREFIX);
        EXPECT_EQ(g_frameSaw, (std::vector<std::string>{"36 0 HELLO>BYE", "30 0 HELLO>BYE", "16 0 BYE>BYE", "35 0 BYE>BYE"}));
        EXPECT_EQ(dialog.Names().size(), 1u);
    });
}

// Real images in every container list as their plain twins do.
TEST_F(BrowserTest, RealImagesInEveryContainerAreListed)
{
    struct Disk {
        const char* path;
        const char* twin;  // the same volume in plain sectors
    };
    const Disk disks[] = {
        {"a2kit/prodos-bigfiles.dsk", nullptr},           {"formats/prodos-bigfiles.woz", "a2kit/prodos-bigfiles.dsk"},
        {"formats/prodos-bigfiles-woz1.woz", "a2kit/prodos-bigfiles.dsk"}, {"a2kit/dos33-bigfiles.do", nullptr},
        {"formats/dos33-bigfiles.nib", "a2kit/dos33-bigfiles.do"},
        {"formats/dos33-bigfiles.woz", "a2kit/dos33-bigfiles.do"}, {"ciderpress2/dos33-disk.2mg", nullptr},
        {"formats/dos32-smallfiles.woz", nullptr},
    };
    std::map<std::string, std::vector<Row>> listed;
    for (const Disk& disk : disks) {
        SCOPED_TRACE(disk.path);
        auto image = shared_data::ReadBytes(std::string("disks/") + disk.path);
        if (!image) GTEST_SKIP() << "no shared disks";
        const std::string name = std::string(disk.path).substr(std::string(disk.path).rfind('/') + 1);
        WriteImage(name, *image);
        OpenWith([&](OpenDialog& dialog) {
            dialog.Pick(name);
            listed[disk.path] = dialog.Rows();
        });
        EXPECT_FALSE(listed[disk.path].empty());
        if (disk.twin && listed.count(disk.twin)) EXPECT_EQ(listed[disk.path], listed[disk.twin]);
    }
    EXPECT_EQ(listed["a2kit/prodos-bigfiles.dsk"],
              (std::vector<Row>{{"HELLO", 8, false}, {"SAPLING", 12, false}, {"TREE1", 7, false}, {"TREE2", 7, false}}));
}

// The user's whole path on real images: Open, pick the image, choose HELLO,
// Open Apple; the program opens coloured with the listing the core makes
// (the text `tavo-image show` prints) and the frame names the image.
TEST_F(BrowserTest, RealProgramsOpenColouredFromTheDialog)
{
    for (const char* disk : {"a2kit/dos33-smallfiles.dsk", "a2kit/prodos-bigfiles.dsk"}) {
        auto image = shared_data::ReadBytes("disks/" + std::string(disk));
        if (!image) GTEST_SKIP() << "no shared disks";
        const std::string name = std::string(disk).substr(6);
        WriteImage(name, *image);
        EntryRef hello = 0;
        OpenWith([&](OpenDialog& dialog) {
            dialog.Pick(name);
            int row = dialog.Find(dialog.Names()[0]);  // HELLO sorts first on both disks
            ASSERT_EQ(TrimmedName(dialog.Names()[static_cast<size_t>(row)]), "HELLO");
            LVITEMA item = {};
            item.mask = LVIF_PARAM;
            item.iItem = row;
            SendMessageA(dialog.list(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
            hello = static_cast<EntryRef>(item.lParam);
            dialog.Select({dialog.Names()[0]});
            dialog.Press(IDC_BROWSER_OPEN_APPLE);
            EXPECT_TRUE(WaitFor([&] { return !dialog.Open(); }));
        });
        HWND document = GetActiveDocument();
        ASSERT_NE(document, nullptr) << disk;
        EXPECT_EQ(Title(document), "HELLO");
        EXPECT_TRUE(IsDocumentOfKind(document, DocumentKind::Applesoft));
        FileEntry entry;
        const std::string expected = OpenImageEntry(folder_->File(name), g_browser.layout, hello, false, entry).text;
        std::string shown = EditorText(EditorOf(document));
        std::erase(shown, '\n');
        EXPECT_EQ(shown, expected) << disk;
        std::vector<ColourSpan> spans;
        ScanApplesoftText(expected, 0, static_cast<int>(expected.size()), spans);
        auto keyword = std::find_if(spans.begin(), spans.end(), [](const ColourSpan& s) { return s.kind == ColourKind::Keyword; });
        ASSERT_NE(keyword, spans.end());
        // What the editor cannot tell is on screen is coloured in idle time.
        EXPECT_TRUE(WaitFor([&] {
            PumpMessages();
            return !ColouringPending(EditorOf(document));
        }));
        EXPECT_EQ(ColourAt(EditorOf(document), keyword->offset), static_cast<COLORREF>(0x00BB00));
        EXPECT_EQ(Title(frame_), "TAVO - " + name);
        EXPECT_EQ(GetMenuState(g_app.menu, IDM_PROPERTIES, MF_BYCOMMAND) & MF_GRAYED, 0u);
    }
}

// Prints how long the dialog takes to list the volume directory of a 32 MB
// hard-disk image holding many files.
TEST_F(BrowserTest, AHardDiskVolumeWithManyFilesIsListed)
{
    constexpr int kFiles = 2000;
    fixture::ProdosBuilder image(65535, "HARD");
    for (int i = 0; i < kFiles; ++i) image.AddFile(0, "F" + std::to_string(10000 + i), Bytes("x"), {.fileType = 0xFC});
    WriteImage("hard.hdv", image.BlockOrder());
    OpenWith([](OpenDialog& dialog) {
        auto start = std::chrono::steady_clock::now();
        dialog.Pick("hard.hdv");
        auto took = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start);
        EXPECT_EQ(dialog.Rows().size(), static_cast<size_t>(kFiles));
        std::printf("listing %d files of a 32 MB image in the dialog: %.1f ms\n", kFiles, took.count());
    });
}

}  // namespace
