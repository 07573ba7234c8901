// The Properties sheet of documents from disk images, read while it is open,
// and the command's enabling as documents are activated.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "app/app.h"
#include "app/documents.h"
#include "disk/browser_names.h"
#include "disk/dos33.h"
#include "disk/image.h"
#include "disk/image_builder.h"
#include "disk/prodos.h"
#include "resources/resource.h"
#include "support/app_fixture.h"

namespace {

using fixture::Bytes;
using fixture::TempImage;

constexpr int kApplyButton = 0x3021;  // the property sheet's Apply button

struct SheetSeen {
    std::string caption;
    std::vector<std::string> tabs;
    bool applyShown = true;
    std::map<int, std::string> general, image;
    std::map<int, bool> checked;
};

std::string ControlText(HWND page, int id)
{
    char text[512] = {};
    GetDlgItemTextA(page, id, text, sizeof text);
    return text;
}

void ReadSheet(HWND sheet, SheetSeen& seen)
{
    char caption[128] = {};
    GetWindowTextA(sheet, caption, sizeof caption);
    seen.caption = caption;
    HWND tabs = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
    for (int i = 0; i < SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0); ++i) {
        char text[64] = {};
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(tabs, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
        seen.tabs.push_back(text);
    }
    HWND apply = GetDlgItem(sheet, kApplyButton);
    seen.applyShown = apply && IsWindowVisible(apply);

    HWND general = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    for (int id : {IDC_PROP_TITLE, IDC_PROP_TYPE, IDC_PROP_AUX_TYPE, IDC_PROP_LOCATION, IDC_PROP_SIZE,
                   IDC_PROP_STORAGE, IDC_PROP_CREATED, IDC_PROP_MODIFIED})
        seen.general[id] = ControlText(general, id);
    for (int id = IDC_PROP_READ; id <= IDC_PROP_DESTROY; ++id) {
        seen.checked[id] = IsDlgButtonChecked(general, id) == BST_CHECKED;
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(general, id))) << id;
    }
    SendMessageA(sheet, PSM_SETCURSEL, 1, 0);
    HWND image = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    for (int id : {IDC_PROP_VOLUME, IDC_PROP_OS, IDC_PROP_FILES, IDC_PROP_SIZE, IDC_PROP_CREATED, IDC_PROP_IMAGE,
                   IDC_PROP_MEDIUM, IDC_PROP_SKEW, IDC_PROP_IMAGE_FOLDER})
        seen.image[id] = ControlText(image, id);
}

class PropertiesTest : public AppTest {
protected:
    void TearDown() override
    {
        AppTest::TearDown();
        g_browser = {};
    }

    // A new document holding the file `ref` of `image` as its slot records it.
    HWND ImageDocument(const TempImage& image, EntryRef ref, const std::string& applePath)
    {
        Command(IDM_NEW_TEXT);
        HWND editor = GetActiveEditor();
        size_t slot = TakeFreeSlot(g_documents);
        FileEntry& entry = g_documents.fileEntry[slot];
        int layout = DecideImageLayout(ImageExtensionIndexOf(image.name()), image.path());
        int decoded = layout == LayoutDos33 ? DecodeDosEntry(ref, image.path(), entry)
                                            : DecodeProdosEntry(ref, image.path(), layout, entry);
        EXPECT_EQ(decoded, 0);
        g_documents.directory[slot] = std::filesystem::path(image.path()).parent_path().string();
        g_documents.name[slot] = image.name();
        g_documents.applePath[slot] = applePath;
        SetEditorSlot(editor, static_cast<LONG_PTR>(slot));
        return editor;
    }
    void Activate(HWND editor)
    {
        SendMessageA(g_app.mdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(GetParent(editor)), 0);
        PumpMessages();
    }
    bool PropertiesGrayed() { return (GetMenuState(g_app.menu, IDM_PROPERTIES, MF_BYCOMMAND) & MF_GRAYED) != 0; }

    // Runs Properties and reads its sheet from another thread while it is
    // open, then cancels it.
    SheetSeen ShowProperties()
    {
        boxes_.reset();  // the sheet is a dialog: the watcher would close it
        SheetSeen seen;
        std::thread reader([&] {
            HWND sheet = nullptr;
            for (DWORD start = GetTickCount(); !sheet && GetTickCount() - start < 10000; Sleep(20)) {
                std::vector<HWND> found = TopLevelWindowsOf(GetCurrentProcessId(), "#32770");
                if (!found.empty() && SendMessageA(found.front(), PSM_GETCURRENTPAGEHWND, 0, 0)) sheet = found.front();
            }
            if (!sheet) return;
            ReadSheet(sheet, seen);
            PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
        });
        EXPECT_EQ(Command(IDM_PROPERTIES), 1);
        reader.join();
        boxes_ = std::make_unique<BoxWatcher>();
        return seen;
    }
};

TEST_F(PropertiesTest, AProdosDocumentsFileAndVolumeAndOnlyImageDocumentsHaveThem)
{
    fixture::ProdosBuilder disk(280, "DISK");
    EntryRef ref = disk.AddFile(disk.VolumeDirectory(), "HELLO", Bytes(std::string(30, 'A')),
                                {.fileType = 0xFC, .auxType = 0x0801});
    TempImage image(disk.BlockOrder(), "po");

    Command(IDM_NEW_APPLESOFT);
    HWND windows = GetActiveEditor();
    EXPECT_TRUE(PropertiesGrayed());
    EXPECT_EQ(Command(IDM_PROPERTIES), 0);  // a stray id shows nothing

    HWND apple = ImageDocument(image, ref, "/DISK/HELLO");
    SendMessageA(frame_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(GetSubMenu(g_app.menu, MENU_POSITION_FILE)),
                 MAKELPARAM(MENU_POSITION_FILE, FALSE));
    EXPECT_FALSE(PropertiesGrayed());
    Activate(windows);
    EXPECT_TRUE(PropertiesGrayed());
    Activate(apple);
    EXPECT_FALSE(PropertiesGrayed());

    SheetSeen seen = ShowProperties();
    EXPECT_EQ(seen.caption, "Properties");
    EXPECT_EQ(seen.tabs, (std::vector<std::string>{"General", "Volume - Disk Image"}));
    EXPECT_FALSE(seen.applyShown);
    EXPECT_EQ(seen.general, (std::map<int, std::string>{
                                {IDC_PROP_TITLE, "HELLO"},
                                {IDC_PROP_TYPE, "BAS ( Applesoft BASIC )  -  252   ( $FC )"},
                                {IDC_PROP_AUX_TYPE, "$0801 ( 2049 )"},
                                {IDC_PROP_LOCATION, "/DISK/HELLO"},
                                {IDC_PROP_SIZE, "30  ( $1E ) bytes "},
                                {IDC_PROP_STORAGE, "Seedling"},
                                {IDC_PROP_CREATED, "<No Date>    <No Time>"},
                                {IDC_PROP_MODIFIED, "<No Date>    <No Time>"},
                            }));
    // Access $C3: destroy, rename, write and read.
    EXPECT_EQ(seen.checked, (std::map<int, bool>{{IDC_PROP_READ, true}, {IDC_PROP_WRITE, true},
                                                 {IDC_PROP_INVISIBLE, false}, {IDC_PROP_BACKUP, false},
                                                 {IDC_PROP_RENAME, true}, {IDC_PROP_DESTROY, true}}));
    EXPECT_EQ(seen.image[IDC_PROP_VOLUME], "DISK");
    EXPECT_EQ(seen.image[IDC_PROP_OS], "ProDOS");
    EXPECT_EQ(seen.image[IDC_PROP_FILES], "1 on the volume directory including folders");
    EXPECT_EQ(seen.image[IDC_PROP_SIZE], "143360 bytes     (280 blocks)");
    EXPECT_EQ(seen.image[IDC_PROP_IMAGE], image.name());
    EXPECT_EQ(seen.image[IDC_PROP_MEDIUM], "Apple II floppy or harddrive");
    EXPECT_EQ(seen.image[IDC_PROP_SKEW], "ProDOS");
    EXPECT_EQ(seen.image[IDC_PROP_IMAGE_FOLDER], std::filesystem::path(image.path()).parent_path().string());
}

// The medium follows the document's own image even after the browser picked
// a hard disk image.
TEST_F(PropertiesTest, ALockedDos33BinaryWithItsHeaderAndItsOwnImagesMedium)
{
    fixture::DosBuilder disk;
    std::vector<uint8_t> binary = {0x00, 0x03, 0x10, 0x00};  // load address $300, 16 bytes
    binary.resize(4 + 16, 0xEA);
    EntryRef ref = disk.AddFile("CHIP", 0x04, binary, {.locked = true});
    TempImage image(disk.Bytes(), "do");
    g_browser.extensionIndex = kExtensionHdv;
    ImageDocument(image, ref, "CHIP");

    SheetSeen seen = ShowProperties();
    EXPECT_EQ(seen.general[IDC_PROP_TITLE].rfind("CHIP", 0), 0u);
    EXPECT_EQ(seen.general[IDC_PROP_TYPE], "B ( BINARY )  -  004  ( $04 )");
    EXPECT_EQ(seen.general[IDC_PROP_LOCATION], "VOLUME 254");
    EXPECT_EQ(seen.general[IDC_PROP_SIZE], "20  ( $14 ) bytes including 4 byte header");
    for (int id : {IDC_PROP_AUX_TYPE, IDC_PROP_STORAGE, IDC_PROP_CREATED, IDC_PROP_MODIFIED})
        EXPECT_EQ(seen.general[id], "Not Applicable!") << id;
    EXPECT_TRUE(seen.checked[IDC_PROP_READ]);
    for (int id : {IDC_PROP_WRITE, IDC_PROP_RENAME, IDC_PROP_DESTROY}) EXPECT_FALSE(seen.checked[id]) << id;
    EXPECT_EQ(seen.image[IDC_PROP_VOLUME], "254");
    EXPECT_EQ(seen.image[IDC_PROP_OS], "DOS 3.3");
    EXPECT_EQ(seen.image[IDC_PROP_SIZE], "143360 bytes");
    EXPECT_EQ(seen.image[IDC_PROP_MEDIUM], "Apple II 5.25\" floppy");
    EXPECT_EQ(seen.image[IDC_PROP_SKEW], "DOS 3.3");
}

}  // namespace
