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

#include "app/app.h"
#include "app/documents.h"
#include "disk/browser_names.h"
#include "disk/image_builder.h"
#include "emulator/desktop.h"
#include "emulator/test_program.h"
#include "resources/resource.h"
#include "support/app_fixture.h"
#include "support/box_watcher.h"

namespace {

using namespace fixture;

constexpr char kChooser[] = "Choose a disk image where you want to save the file:";
constexpr char kSaveFile[] = "Save an Apple ][ file:";
constexpr DWORD kWaitMs = 10000;
const std::string kProgram = "10 PRINT 1\r20 END\r";

std::string TextOf(HWND window)
{
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// The visible dialog of this process captioned `caption` that is not `old`
// (a dialog of the same caption that is closing); null after the time limit.
HWND WaitForDialog(const char* caption, HWND old = nullptr)
{
    for (DWORD start = GetTickCount(); GetTickCount() - start < kWaitMs; Sleep(20))
        for (HWND box : TopLevelWindowsOf(GetCurrentProcessId(), "#32770"))
            if (box != old && TextOf(box) == caption) return box;
    return nullptr;
}

void Press(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
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
    for (DWORD start = GetTickCount(); GetTickCount() - start < kWaitMs; Sleep(20))
        if ((seen = Read(dialog)).prefix == prefix) break;
    return seen;
}

// Types `name` into the chooser's name box and presses Save.
void PickImage(HWND chooser, const std::string& name)
{
    HWND box = GetDlgItem(chooser, cmb13) ? GetDlgItem(chooser, cmb13) : GetDlgItem(chooser, edt1);
    SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    Press(chooser, IDOK);
}

class SaveToImageTest : public AppTest {
protected:
    void PrepareStartFolder() override
    {
        WriteFileText(IniPath(), "[Prompts]\r\nQuitPrompt=FALSE\r\n[Emulators]\r\nNumber=1\r\nName[1]=" +
                                     std::string(kStandinTitle) + "\r\n[Directories]\r\nSrc=" + folder_->path() +
                                     "\r\n" + MoreSettings());
    }
    virtual std::string MoreSettings() const { return {}; }

    void StartEmulator()
    {
        record_ = folder_->File("record.txt");
        standin_ = std::make_unique<Program>(StandinPath(), StandinArguments(record_), folder_->path());
        ASSERT_NE(standin_->WaitForWindow(kStandinClass), nullptr);
    }
    void TearDown() override
    {
        AppTest::TearDown();
        standin_.reset();
    }

    void WriteImage(const std::string& name, const std::vector<uint8_t>& bytes)
    {
        WriteFileText(folder_->File(name), std::string(bytes.begin(), bytes.end()));
    }

    // A new Applesoft document titled `title` holding the program.
    HWND NewProgram(const char* title)
    {
        Command(IDM_NEW_APPLESOFT);
        SetWindowTextA(GetActiveDocument(), title);
        SetWindowTextA(GetActiveEditor(), "10 PRINT 1\r\n20 END\r\n");
        return GetActiveDocument();
    }

    // Runs command 18 while `script` drives its dialogs from a helper thread.
    // The box watcher would close the dialogs; it watches again afterwards.
    // What is still open a while after the script is cancelled, so the
    // command always ends.
    LRESULT SaveToImage(const std::function<void()>& script)
    {
        boxes_.reset();
        std::atomic<bool> done{false};
        std::thread driver([&] {
            script();
            for (DWORD start = GetTickCount(); GetTickCount() - start < kWaitMs && !done;) Sleep(20);
            while (!done) {
                Sleep(50);
                for (HWND box : TopLevelWindowsOf(GetCurrentProcessId(), "#32770")) {
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
    std::string Recorded(size_t bytes)
    {
        std::string text;
        for (DWORD start = GetTickCount(); GetTickCount() - start < kWaitMs; Sleep(20))
            if ((text = ReadFileText(record_)).size() >= bytes) break;
        return text;
    }

    std::string record_;
    std::unique_ptr<Program> standin_;
};

TEST_F(SaveToImageTest, SavesIntoAFolderOfTheChosenImageThroughTheEmulator)
{
    DesktopLock lock;
    StartEmulator();
    ProdosBuilder builder(280, "VOL");
    int sub = builder.AddDirectory(builder.VolumeDirectory(), "SUB");
    builder.AddFile(builder.VolumeDirectory(), "HELLO", Bytes("X"));
    builder.AddFile(sub, "OLD", Bytes("X"));
    WriteImage("WORK.PO", builder.BlockOrder());
    HWND document = NewProgram("A TITLE OF FORTY CHARACTERS, TOO LONG..");

    std::vector<std::string> chooserTexts;
    SaveFileSeen atVolume, inFolder;
    LRESULT saved = SaveToImage([&] {
        HWND chooser = WaitForDialog(kChooser);
        if (!chooser) return;
        chooserTexts = DescribeBox(chooser).texts;
        PickImage(chooser, "WORK.PO");
        HWND dialog = WaitForDialog(kSaveFile);
        if (!dialog) return;
        atVolume = Read(dialog);
        ClickRow(GetDlgItem(dialog, IDC_SAVE_LIST), "SUB", true);
        inFolder = ReadAtPrefix(dialog, "/VOL/SUB/");
        SetDlgItemTextA(dialog, IDC_SAVE_FILE_NAME, "NAME");
        Press(dialog, IDOK);
    });

    EXPECT_NE(std::find(chooserTexts.begin(), chooserTexts.end(),
                        "already active in Applewin.  Then click on the Save button and a new dialog will"),
              chooserTexts.end());
    EXPECT_EQ(atVolume.imageName, "WORK.PO");
    EXPECT_EQ(atVolume.prefix, "/VOL/");
    EXPECT_EQ(atVolume.rows, (std::vector<std::string>{"HELLO", "SUB"}));
    // The title's first 31 characters are proposed; the box holds the 30 an Apple name can have.
    EXPECT_EQ(atVolume.name, "A TITLE OF FORTY CHARACTERS, T");
    EXPECT_EQ(inFolder.prefix, "/VOL/SUB/");
    EXPECT_EQ(inFolder.rows, std::vector<std::string>{"OLD"});

    const std::string typed = "NEW\r" + kProgram + "\rSAVE /VOL/SUB/NAME\r\n";
    EXPECT_EQ(Recorded(typed.size()), typed);
    EXPECT_NE(saved, 0);
    EXPECT_EQ(TextOf(document), "NAME");
    LONG_PTR slot = EditorSlot(EditorOf(document));
    ASSERT_GT(slot, 0);
    EXPECT_EQ(g_documents.applePath[slot], "/VOL/SUB/NAME");
    EXPECT_EQ(g_documents.name[slot], "WORK.PO");
    EXPECT_EQ(Setting("Directories", "LastImage"), "WORK.PO");
    EXPECT_EQ(Setting("Directories", "Src"), folder_->path());
    EXPECT_EQ(SendMessageA(EditorOf(document), EM_GETMODIFY, 0, 0), 0);
}

TEST_F(SaveToImageTest, AnExistingNameAsksFirstAndUpFromTheVolumeChoosesAnotherImage)
{
    DesktopLock lock;
    StartEmulator();
    DosBuilder builder;
    builder.AddFile("HELLO", 2, {2, 0, 0, 0});  // stored with blanks up to 30 characters
    WriteImage("MASTER.DO", builder.Bytes());
    NewProgram("hello");

    std::vector<BoxSeen> questions;
    SaveFileSeen first, clicked;
    bool chooserAgain = false;
    SaveToImage([&] {
        HWND chooser = WaitForDialog(kChooser);
        if (!chooser) return;
        PickImage(chooser, "MASTER.DO");
        HWND dialog = WaitForDialog(kSaveFile);
        if (!dialog) return;
        first = Read(dialog);
        // The same name in another case and without the blanks: asked, and No keeps the dialog.
        Press(dialog, IDOK);
        HWND question = WaitForDialog("TAVO Error");
        if (!question) return;
        questions.push_back(DescribeBox(question));
        Press(question, IDNO);
        WaitGone(question);
        // Up from the volume: the chooser again, without opening the image by itself.
        Press(dialog, IDC_SAVE_UP);
        HWND again = WaitForDialog(kChooser, chooser);
        if (!again) return;
        chooserAgain = true;
        PickImage(again, "MASTER.DO");
        HWND second = WaitForDialog(kSaveFile, dialog);
        if (!second) return;
        ClickRow(GetDlgItem(second, IDC_SAVE_LIST), "HELLO", false);
        clicked = Read(second);
        ClickRow(GetDlgItem(second, IDC_SAVE_LIST), "HELLO", true);
        question = WaitForDialog("TAVO Error", question);
        if (!question) return;
        questions.push_back(DescribeBox(question));
        Press(question, IDYES);
    });

    EXPECT_EQ(first.prefix, "");
    EXPECT_EQ(first.name, "hello");
    ASSERT_EQ(first.rows.size(), 1u);
    EXPECT_EQ(first.rows[0], "HELLO" + std::string(25, ' '));
    ASSERT_EQ(questions.size(), 2u);
    EXPECT_EQ(questions[0].text, "File (hello) already exists!\nDo you want to overwrite the file?");
    EXPECT_EQ(questions[0].flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    EXPECT_TRUE(chooserAgain);
    EXPECT_EQ(clicked.name, "HELLO");
    EXPECT_EQ(questions[1].text, "File (HELLO) already exists!\nDo you want to overwrite the file?");

    const std::string typed = "NEW\r" + kProgram + "\rSAVE HELLO\r\n";
    EXPECT_EQ(Recorded(typed.size()), typed);
    EXPECT_EQ(Setting("Directories", "LastImage"), "MASTER.DO");
}

class LastImageTest : public SaveToImageTest {
    std::string MoreSettings() const override { return "LastImage=WORK.PO\r\n"; }
};

TEST_F(LastImageTest, TheImageUsedLastOpensByItselfAndCancelSavesNothing)
{
    ProdosBuilder builder(280, "WORK");
    builder.AddFile(builder.VolumeDirectory(), "OLD", Bytes("X"));
    WriteImage("OTHER.PO", builder.BlockOrder());
    WriteImage("WORK.PO", builder.BlockOrder());
    EXPECT_TRUE(GetMenuState(g_app.menu, IDM_SAVE_APPLE_AS, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_EQ(Command(IDM_SAVE_APPLE_AS), 0);  // a shortcut with no document does nothing
    HWND document = NewProgram("PROG");
    EXPECT_FALSE(GetMenuState(g_app.menu, IDM_SAVE_APPLE_AS, MF_BYCOMMAND) & MF_GRAYED);

    SaveFileSeen seen;
    bool stayedWhileEditing = false;
    std::string labelAfterRename;
    LRESULT result = SaveToImage([&] {
        HWND dialog = WaitForDialog(kSaveFile);
        if (!dialog) return;
        seen = Read(dialog);
        // Rename from the row menu: Cancel waits for the edit, whose text is
        // handed to the frame while the row keeps its old name.
        HWND list = GetDlgItem(dialog, IDC_SAVE_LIST);
        ClickRow(list, "OLD", false);
        SendMessageA(dialog, WM_COMMAND, IDM_APPLE_RENAME, 0);
        HWND edit = ListView_GetEditControl(list);
        if (!edit) return;
        SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        stayedWhileEditing = IsWindowVisible(dialog);
        SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("NEWNAME"));
        SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
        labelAfterRename = Rows(list).at(0);
        Press(dialog, IDCANCEL);
    });
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(stayedWhileEditing);
    EXPECT_EQ(g_browser.selectedAppleName, "OLD");
    EXPECT_EQ(g_browser.newAppleName, "NEWNAME");
    EXPECT_EQ(labelAfterRename, "OLD");
    EXPECT_EQ(seen.imageName, "WORK.PO");
    EXPECT_EQ(seen.prefix, "/WORK/");
    EXPECT_EQ(seen.name, "PROG");
    EXPECT_EQ(EditorSlot(EditorOf(document)), kNoPlaceSlot);
    EXPECT_EQ(TextOf(document), "PROG");
}

TEST_F(SaveToImageTest, AnImageThatCannotBeListedSavesNothing)
{
    WriteImage("BROKEN.PO", std::vector<uint8_t>(1024, 0xFF));
    HWND document = NewProgram("PROG");
    std::vector<std::string> messages;
    bool stayed = false;
    LRESULT result = SaveToImage([&] {
        HWND chooser = WaitForDialog(kChooser);
        if (!chooser) return;
        PickImage(chooser, "BROKEN.PO");
        HWND box = WaitForDialog("TAVO Error");
        if (!box) return;
        messages.push_back(DescribeBox(box).text);
        Press(box, IDOK);
        HWND dialog = WaitForDialog(kSaveFile);
        if (!dialog) return;
        WaitGone(box);
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
        stayed = IsWindowVisible(dialog);
        Press(dialog, IDCANCEL);
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_TRUE(stayed);
    EXPECT_EQ(EditorSlot(EditorOf(document)), kNoPlaceSlot);
}

}  // namespace
