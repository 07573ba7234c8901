// Save to Apple ][ disk image As... end to end: the real chooser and
// save-location dialogs driven from a helper thread while the command runs,
// and the stand-in emulator recording what Save types.
#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "core/disk/browser_names.h"
#include "core/disk/image.h"
#include "core/disk/image_builder.h"
#include "core/disk/open_choice.h"
#include "core/disk/prodos.h"
#include "emulator/desktop.h"
#include "emulator/test_program.h"
#include "resources/resource.h"
#include "shell/app.h"
#include "shell/documents.h"
#include "shell/settings.h"
#include "support/app_fixture.h"
#include "support/box_watcher.h"
#include "support/front_taken.h"

namespace {

using namespace fixture;

constexpr char kChooser[] = "Choose a disk image where you want to save the file:";
constexpr char kSaveFile[] = "Save an Apple ][ file:";
const std::string kProgram = "10 PRINT 1\r20 END\r";
constexpr char kUsersText[] = "the user's text";

std::string TextOf(HWND window)
{
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

struct NoSuchDialog {
    std::string caption;
};

// The visible dialog of this process captioned `caption` that is not `old`
// (a dialog of the same caption that is closing). Throws after the time
// limit, which ends the script that waits.
HWND WaitForDialog(const char* caption, HWND old = nullptr)
{
    for (DWORD start = GetTickCount(); GetTickCount() - start < kWaitMs; Sleep(20))
        for (HWND box : TopLevelWindowsOf(GetCurrentProcessId(), "#32770"))
            if (box != old && TextOf(box) == caption) return box;
    throw NoSuchDialog{caption};
}

std::vector<std::string> Rows(HWND list)
{
    std::vector<std::string> rows;
    for (int item = 0; item < ListView_GetItemCount(list); ++item) {
        char text[64] = {};
        ListView_GetItemText(list, item, 0, text, sizeof text);
        rows.push_back(text);
    }
    return rows;
}

void WaitGone(HWND window)
{
    for (DWORD start = GetTickCount(); IsWindowVisible(window) && GetTickCount() - start < kWaitMs;) Sleep(20);
}

// Clicks (or double-clicks) the middle of the row that starts with `name`.
// The double click is posted: what it starts may ask a question, which this
// thread has to answer.
void ClickRow(HWND list, const std::string& name, bool twice)
{
    std::vector<std::string> rows = Rows(list);
    for (int item = 0; item < static_cast<int>(rows.size()); ++item) {
        if (rows[static_cast<size_t>(item)].rfind(name, 0) != 0) continue;
        RECT r = {};
        ListView_GetItemRect(list, item, &r, LVIR_LABEL);
        LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        if (twice) {
            PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        } else {
            SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
            SendMessageA(list, WM_LBUTTONUP, 0, at);
        }
        return;
    }
}

// What the save-location dialog shows.
struct SaveFileSeen {
    std::string imageName, prefix, name;
    std::vector<std::string> rows;
};

SaveFileSeen Read(HWND dialog)
{
    return {TextOf(GetDlgItem(dialog, IDC_SAVE_IMAGE_NAME)), TextOf(GetDlgItem(dialog, IDC_SAVE_PREFIX)),
            TextOf(GetDlgItem(dialog, IDC_SAVE_FILE_NAME)), Rows(GetDlgItem(dialog, IDC_SAVE_LIST))};
}

// What the dialog shows once its prefix is `prefix`, or when time is up.
SaveFileSeen ReadAtPrefix(HWND dialog, const std::string& prefix)
{
    SaveFileSeen seen;
    for (DWORD start = GetTickCount(); GetTickCount() - start < kWaitMs && seen.prefix != prefix; Sleep(20))
        seen = Read(dialog);
    return seen;
}

// Types `name` into the chooser's name box and presses Save.

class SaveToImageTest : public AppTest {
protected:
    void PrepareStartFolder() override
    {
        // These tests follow the way through the emulator; the image is not written directly.
        WriteFileText(IniPath(), "[Prompts]\r\nQuitPrompt=FALSE\r\nWriteImagesDirectly=FALSE\r\n[Emulators]\r\nNumber=1\r\nName[1]=" +
                                     std::string(kStandinTitle) + "\r\n[Directories]\r\nSrc=" + folder_->path() +
                                     "\r\n");
    }

    // The stand-in, with `mounted` held open as an emulator holds its disk.
    void StartEmulator(const std::string& mounted = {})
    {
        record_ = folder_->File("record.txt");
        const std::string arguments = StandinArguments(record_) + (mounted.empty() ? "" : " \"" + mounted + "\"");
        standin_ = std::make_unique<Program>(StandinPath(), arguments, folder_->path());
        ASSERT_NE(standin_->WaitForWindow(kStandinClass), nullptr);
        ASSERT_TRUE(PutOnClipboard(kUsersText));
    }
    // Whether the user's clipboard text is back after the typing, the frame
    // answering its messages meanwhile as it would.
    bool ClipboardComesBack()
    {
        for (DWORD start = GetTickCount(); GetTickCount() - start < kWaitMs; Sleep(20)) {
            PumpMessages();
            if (ClipboardText() == kUsersText) return true;
        }
        return false;
    }
    void SetUp() override
    {
        lock_ = std::make_unique<DesktopLock>();  // before the frame, which takes the front too
        AppTest::SetUp();
    }
    void TearDown() override
    {
        AppTest::TearDown();
        standin_.reset();
        lock_.reset();
    }

    void WriteImage(const std::string& name, const std::vector<uint8_t>& bytes)
    {
        WriteFileText(folder_->File(name), std::string(bytes.begin(), bytes.end()));
    }

    // A new Applesoft document titled `title` holding the program.
    HWND NewProgram(const char* title)
    {
        UnmodifiedDocumentWith(IDM_NEW_APPLESOFT, "10 PRINT 1\r\n20 END\r\n");
        SetWindowTextA(GetActiveDocument(), title);
        return GetActiveDocument();
    }

    // Runs command 18 while `script` drives its dialogs from a helper thread.
    // The box watcher would close the dialogs; it watches again afterwards.
    // What is still open a while after the script is cancelled, so the
    // command always ends.
    LRESULT SaveToImage(const std::function<void()>& script)
    {
        boxes_.reset();
        notInFront_ = false;
        std::atomic<bool> done{false};
        std::thread driver([&] {
            try {
                script();
            } catch (const NoSuchDialog& missing) {
                ADD_FAILURE() << "no dialog \"" << missing.caption << "\"";
            }
            for (DWORD start = GetTickCount(); GetTickCount() - start < kWaitMs && !done;) Sleep(20);
            while (!done) {
                Sleep(50);
                for (HWND box : TopLevelWindowsOf(GetCurrentProcessId(), "#32770")) {
                    if ((notInFront_ = DescribeBox(box).text == kNotInFront)) {
                        Press(box, IDOK);
                        continue;
                    }
                    ADD_FAILURE() << "left open: " << TextOf(box) << ": " << DescribeBox(box).text;
                    Press(box, GetDlgItem(box, IDCANCEL) ? IDCANCEL : IDOK);
                }
            }
        });
        LRESULT result = SendMessageA(frame_, WM_COMMAND, IDM_SAVE_APPLE_AS, 0);
        done = true;
        driver.join();
        boxes_ = std::make_unique<BoxWatcher>();
        return result;
    }

    // What the stand-in recorded, once it holds `bytes` bytes or time is up.
    // Save As turned away typed nothing: Save, as the user would.
    std::string Recorded(size_t bytes)
    {
        if (notInFront_) RetryWhileFrontTaken([&] { Command(IDM_SAVE); });
        std::string text;
        for (DWORD start = GetTickCount(); GetTickCount() - start < kWaitMs; Sleep(20))
            if ((text = ReadFileText(record_)).size() >= bytes) break;
        return text;
    }

    std::string record_;
    std::unique_ptr<Program> standin_;
    std::atomic<bool> notInFront_{false};
    std::unique_ptr<DesktopLock> lock_;
};

// Save into a folder of the image, then save again: the image used last
// opens by itself, and a rename there waits for its edit.
TEST_F(SaveToImageTest, SavesIntoAFolderOfTheChosenImageThroughTheEmulator)
{
    StartEmulator();
    ProdosBuilder builder(280, "VOL");
    int sub = builder.AddDirectory(builder.VolumeDirectory(), "SUB");
    builder.AddFile(builder.VolumeDirectory(), "HELLO", Bytes("X"));
    builder.AddFile(sub, "OLD", Bytes("X"));
    WriteImage("WORK.PO", builder.BlockOrder());
    WriteImage("OTHER.PO", builder.BlockOrder());
    EXPECT_TRUE(GetMenuState(g_app.menu, IDM_SAVE_APPLE_AS, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_EQ(Command(IDM_SAVE_APPLE_AS), 0);  // a shortcut with no document does nothing
    HWND document = NewProgram("A TITLE OF FORTY CHARACTERS, TOO LONG..");
    EXPECT_FALSE(GetMenuState(g_app.menu, IDM_SAVE_APPLE_AS, MF_BYCOMMAND) & MF_GRAYED);

    std::vector<std::string> chooserTexts;
    SaveFileSeen atVolume, inFolder;
    SaveToImage([&] {
        HWND chooser = WaitForDialog(kChooser);
        chooserTexts = DescribeBox(chooser).texts;
        ChooseFileName(chooser, "WORK.PO");
        HWND dialog = WaitForDialog(kSaveFile);
        atVolume = Read(dialog);
        ClickRow(GetDlgItem(dialog, IDC_SAVE_LIST), "SUB", true);
        inFolder = ReadAtPrefix(dialog, "/VOL/SUB/");
        SetDlgItemTextA(dialog, IDC_SAVE_FILE_NAME, "NAME");
        Press(dialog, IDOK);
    });
    EXPECT_NE(std::find(chooserTexts.begin(), chooserTexts.end(),
                        "itself, or types SAVE into the emulator when the emulator has the image in use."),
              chooserTexts.end());
    EXPECT_EQ(atVolume.imageName, "WORK.PO");
    EXPECT_EQ(atVolume.prefix, "/VOL/");
    EXPECT_EQ(atVolume.rows, (std::vector<std::string>{"HELLO", "SUB"}));
    // The title's first 31 characters are proposed; the box holds the 30 an Apple name can have.
    EXPECT_EQ(atVolume.name, "A TITLE OF FORTY CHARACTERS, T");
    EXPECT_EQ(inFolder.rows, std::vector<std::string>{"OLD"});
    const std::string typed = "NEW\r" + kProgram + "\rSAVE /VOL/SUB/NAME\r\n";
    EXPECT_EQ(Recorded(typed.size()), typed);
    EXPECT_TRUE(ClipboardComesBack());
    EXPECT_EQ(TextOf(document), "NAME");
    LONG_PTR slot = EditorSlot(EditorOf(document));
    ASSERT_GT(slot, 0);
    EXPECT_EQ(g_documents.applePath[slot], "/VOL/SUB/NAME");
    EXPECT_EQ(g_documents.name[slot], "WORK.PO");
    EXPECT_EQ(Setting("Directories", "LastImage"), "WORK.PO");
    EXPECT_EQ(Setting("Directories", "Src"), folder_->path());
    EXPECT_EQ(SendMessageA(EditorOf(document), EM_GETMODIFY, 0, 0), 0);

    SaveFileSeen again;
    std::string labelAfterRename;
    bool stayedWhileEditing = false;
    EXPECT_EQ(SaveToImage([&] {
        HWND dialog = WaitForDialog(kSaveFile);
        again = Read(dialog);
        HWND list = GetDlgItem(dialog, IDC_SAVE_LIST);
        ClickRow(list, "HELLO", false);
        SendMessageA(dialog, WM_COMMAND, IDM_APPLE_RENAME, 0);
        HWND edit = ListView_GetEditControl(list);
        SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        stayedWhileEditing = IsWindowVisible(dialog);
        SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("NEWNAME"));
        SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
        labelAfterRename = Rows(list).at(0);
        Press(dialog, IDCANCEL);
    }), 0);
    EXPECT_EQ(again.imageName, "WORK.PO");
    EXPECT_EQ(again.name, "NAME");
    EXPECT_TRUE(stayedWhileEditing);
    // The frame typed the rename; the row keeps its label until the folder is listed again.
    const std::string renamed = "RENAME /VOL/HELLO, /VOL/NEWNAME\r";
    EXPECT_EQ(Recorded(typed.size() + renamed.size()), typed + renamed);
    EXPECT_EQ(g_browser.selectedAppleName, "NEWNAME");
    EXPECT_EQ(labelAfterRename, "HELLO");
}

// An existing name asks first; up from the volume, another image is chosen,
// and one that cannot be listed takes no Save.
TEST_F(SaveToImageTest, AnExistingNameAsksFirstAndUpFromTheVolumeChoosesAnotherImage)
{
    StartEmulator();
    DosBuilder builder;
    builder.AddFile("HELLO", 2, {2, 0, 0, 0});  // stored with blanks up to 30 characters
    WriteImage("MASTER.DO", builder.Bytes());
    WriteImage("BROKEN.PO", std::vector<uint8_t>(1024, 0xFF));
    NewProgram("hello");

    std::vector<BoxSeen> questions;
    SaveFileSeen first, clicked;
    std::string listingMessage;
    bool brokenStayed = false;
    SaveToImage([&] {
        HWND chooser = WaitForDialog(kChooser);
        ChooseFileName(chooser, "MASTER.DO");
        HWND dialog = WaitForDialog(kSaveFile);
        first = Read(dialog);
        // The same name in another case and without the blanks: asked, and No keeps the dialog.
        Press(dialog, IDOK);
        HWND question = WaitForDialog(kErrorCaption);
        questions.push_back(DescribeBox(question));
        Press(question, IDNO);
        WaitGone(question);
        // Up from the volume: the chooser again, without opening the image by itself.
        Press(dialog, IDC_SAVE_UP);
        chooser = WaitForDialog(kChooser, chooser);
        ChooseFileName(chooser, "BROKEN.PO");
        HWND box = WaitForDialog(kErrorCaption);
        listingMessage = DescribeBox(box).text;
        Press(box, IDOK);
        HWND broken = WaitForDialog(kSaveFile, dialog);
        WaitGone(box);
        SendMessageA(broken, WM_COMMAND, IDOK, 0);
        brokenStayed = IsWindowVisible(broken);
        Press(broken, IDC_SAVE_UP);
        ChooseFileName(WaitForDialog(kChooser, chooser), "MASTER.DO");
        HWND second = WaitForDialog(kSaveFile, broken);
        ClickRow(GetDlgItem(second, IDC_SAVE_LIST), "HELLO", false);
        clicked = Read(second);
        ClickRow(GetDlgItem(second, IDC_SAVE_LIST), "HELLO", true);
        question = WaitForDialog(kErrorCaption, box);
        questions.push_back(DescribeBox(question));
        Press(question, IDYES);
    });
    EXPECT_EQ(first.prefix, "");
    EXPECT_EQ(first.name, "hello");
    EXPECT_EQ(first.rows, std::vector<std::string>{"HELLO" + std::string(25, ' ')});
    ASSERT_EQ(questions.size(), 2u);
    EXPECT_EQ(questions[0].text, "File (hello) already exists!\nDo you want to overwrite the file?");
    EXPECT_EQ(questions[0].flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    EXPECT_NE(listingMessage, "");
    EXPECT_TRUE(brokenStayed);
    EXPECT_EQ(clicked.name, "HELLO");
    EXPECT_EQ(questions[1].text, "File (HELLO) already exists!\nDo you want to overwrite the file?");
    const std::string typed = "NEW\r" + kProgram + "\rSAVE HELLO\r\n";
    EXPECT_EQ(Recorded(typed.size()), typed);
    EXPECT_TRUE(ClipboardComesBack());
    EXPECT_EQ(Setting("Directories", "LastImage"), "MASTER.DO");
}

}  // namespace

// The list's keys: Enter on a folder row opens it, as in the Open dialog, and
// Shift+F10 opens the row menu under the selected row.
TEST_F(SaveToImageTest, EnterOpensAFolderRowAndTheMenuKeyShowsTheMenuAtTheRow)
{
    ProdosBuilder builder(280, "VOL");
    builder.AddFile(builder.AddDirectory(builder.VolumeDirectory(), "SUB"), "OLD", Bytes("X"));
    WriteImage("WORK.PO", builder.BlockOrder());
    NewProgram("KEYS");
    SaveFileSeen inFolder;
    RECT menu = {}, row = {};
    EXPECT_EQ(SaveToImage([&] {
        ChooseFileName(WaitForDialog(kChooser), "WORK.PO");
        HWND dialog = WaitForDialog(kSaveFile);
        HWND list = GetDlgItem(dialog, IDC_SAVE_LIST);
        SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(list), TRUE);
        ClickRow(list, "SUB", false);
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);  // what Enter sends
        inFolder = ReadAtPrefix(dialog, "/VOL/SUB/");
        ClickRow(list, "OLD", false);
        PostMessageA(dialog, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), -1);
        HWND popup = nullptr;
        for (DWORD start = GetTickCount(); !popup && GetTickCount() - start < kWaitMs; Sleep(20)) {
            std::vector<HWND> menus = TopLevelWindowsOf(GetCurrentProcessId(), "#32768");
            popup = menus.empty() ? nullptr : menus.front();
        }
        ASSERT_NE(popup, nullptr);
        GetWindowRect(popup, &menu);
        ListView_GetItemRect(list, 0, &row, LVIR_LABEL);
        MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&row), 2);
        PostMessageA(popup, WM_KEYDOWN, VK_ESCAPE, 0);
        for (DWORD start = GetTickCount(); IsWindowVisible(popup) && GetTickCount() - start < kWaitMs;) Sleep(20);
        Press(dialog, IDCANCEL);
    }), 0);
    EXPECT_EQ(inFolder.rows, std::vector<std::string>{"OLD"});
    EXPECT_EQ(menu.left, row.left);
    EXPECT_EQ(menu.top, row.bottom);
}

// A name the disk cannot hold is refused while the dialog is open; a save
// that fails leaves the window's title and its place as they were.
TEST_F(SaveToImageTest, ABadNameIsRefusedInTheDialogAndAFailedSaveKeepsTheTitle)
{
    ProdosBuilder builder(280, "VOL");
    builder.AddFile(builder.VolumeDirectory(), "HELLO", Bytes("X"));
    WriteImage("WORK.PO", builder.BlockOrder());
    HWND document = NewProgram("KEPT");
    std::string refusal;
    bool stayed = false;
    EXPECT_EQ(SaveToImage([&] {
        ChooseFileName(WaitForDialog(kChooser), "WORK.PO");
        HWND dialog = WaitForDialog(kSaveFile);
        SetDlgItemTextA(dialog, IDC_SAVE_FILE_NAME, "1BAD");
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        HWND box = WaitForDialog(kErrorCaption);
        refusal = DescribeBox(box).text;
        Press(box, IDOK);
        Sleep(100);
        stayed = IsWindowVisible(dialog);
        Press(dialog, IDCANCEL);
    }), 0);
    EXPECT_EQ(refusal, "The Apple ][ file name 1BAD must begin with a letter!");
    EXPECT_TRUE(stayed);

    g_settings.writeImagesDirectly = "TRUE";
    SetFileAttributesA(folder_->File("WORK.PO").c_str(), FILE_ATTRIBUTE_READONLY);
    SendMessageA(EditorOf(document), EM_SETMODIFY, TRUE, 0);
    std::string failure;
    EXPECT_EQ(SaveToImage([&] {
        ChooseFileName(WaitForDialog(kChooser), "WORK.PO");
        HWND dialog = WaitForDialog(kSaveFile);
        SetDlgItemTextA(dialog, IDC_SAVE_FILE_NAME, "GOOD");
        Press(dialog, IDOK);
        HWND box = WaitForDialog(kErrorCaption);
        failure = DescribeBox(box).text;
        Press(box, IDOK);
    }), 0);
    SetFileAttributesA(folder_->File("WORK.PO").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(failure, "The disk image WORK.PO is read-only!");
    EXPECT_EQ(TextOf(document), "KEPT");
    EXPECT_EQ(EditorSlot(EditorOf(document)), kNoPlaceSlot);
    EXPECT_TRUE(SendMessageA(EditorOf(document), EM_GETMODIFY, 0, 0));
}

// Writing images directly: an image the emulator has mounted asks first, and
// Yes types SAVE into the emulator; once the emulator lets it go, Save As
// writes the program into the image itself and types nothing.
TEST_F(SaveToImageTest, SaveAsWritesTheImageItselfOrAsksWhileTheEmulatorHoldsIt)
{
    g_settings.writeImagesDirectly = "TRUE";
    ProdosBuilder builder(280, "VOL");
    builder.AddFile(builder.VolumeDirectory(), "HELLO", Bytes("X"));
    const std::string image = folder_->File("WORK.PO");
    WriteImage("WORK.PO", builder.BlockOrder());
    StartEmulator(image);
    NewProgram("HELD");
    std::string question;
    SaveToImage([&] {
        ChooseFileName(WaitForDialog(kChooser), "WORK.PO");
        Press(WaitForDialog(kSaveFile), IDOK);
        HWND box = WaitForDialog(kErrorCaption);
        question = DescribeBox(box).text;
        Press(box, IDYES);
    });
    EXPECT_EQ(question, "The disk image WORK.PO is in use by another program.\nType the command into the emulator instead?");
    const std::string typed = "NEW\r" + kProgram + "\rSAVE /VOL/HELD\r\n";
    EXPECT_EQ(Recorded(typed.size()), typed);
    EXPECT_TRUE(ClipboardComesBack());

    standin_.reset();
    HWND document = NewProgram("FREE");
    SaveToImage([&] { Press(WaitForDialog(kSaveFile), IDOK); });  // the image used last opens by itself
    EXPECT_EQ(SendMessageA(EditorOf(document), EM_GETMODIFY, 0, 0), 0);
    std::string prefix;
    DirectoryListing listing = ListProdosVolume(image, LayoutProdos, prefix);
    ASSERT_EQ(listing.rows.size(), 2u);
    EXPECT_EQ(listing.rows[1].name, "FREE");
    FileEntry entry;
    DocumentContent opened = OpenImageEntry(image, LayoutProdos, listing.rows[1].ref, false, entry);
    EXPECT_NE(opened.text.find("PRINT 1"), std::string::npos) << opened.text;
    EXPECT_EQ(ReadFileText(record_), typed);
}
