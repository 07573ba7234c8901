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

#include "core/disk/browser_names.h"
#include "core/disk/dos33.h"
#include "core/disk/image_builder.h"
#include "core/disk/prodos.h"
#include "core/disk/properties_text.h"
#include "resources/resource.h"
#include "shell/app.h"
#include "shell/documents.h"
#include "support/app_fixture.h"

namespace {

constexpr int kApplyButton = 0x3021;  // the property sheet's Apply button

struct SheetSeen {
    std::string caption;
    std::vector<std::string> tabs;
    bool applyShown = true;
    std::map<int, std::string> general, image;  // static texts by control id
    std::map<int, bool> checked;                // the access boxes
};

BOOL CALLBACK ReadControl(HWND control, LPARAM lParam)
{
    char className[16] = {}, text[512] = {};
    GetClassNameA(control, className, sizeof className);
    GetWindowTextA(control, text, sizeof text);
    int id = GetDlgCtrlID(control);
    auto* seen = reinterpret_cast<std::pair<SheetSeen*, std::map<int, std::string>*>*>(lParam);
    if (_stricmp(className, "Static") == 0 && id != 0xFFFF) (*seen->second)[id] = text;
    if (_stricmp(className, "Button") == 0 && id >= IDC_PROP_READ && id <= IDC_PROP_DESTROY) {
        seen->first->checked[id] = SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
        EXPECT_FALSE(IsWindowEnabled(control)) << id;
    }
    return TRUE;
}

void ReadSheet(HWND sheet, SheetSeen& seen)
{
    char caption[128] = {};
    GetWindowTextA(sheet, caption, sizeof caption);
    seen.caption = caption;
    HWND tabs = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
    for (int i = 0; i < SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0); ++i) {
        char text[64] = {};
        TCITEMA item = {TCIF_TEXT, 0, 0, text, sizeof text, 0, 0};
        SendMessageA(tabs, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
        seen.tabs.push_back(text);
    }
    HWND apply = GetDlgItem(sheet, kApplyButton);
    seen.applyShown = apply && IsWindowVisible(apply);
    for (auto* page : {&seen.general, &seen.image}) {
        std::pair<SheetSeen*, std::map<int, std::string>*> into = {&seen, page};
        HWND shown = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
        EnumChildWindows(shown, ReadControl, reinterpret_cast<LPARAM>(&into));
        SendMessageA(sheet, PSM_SETCURSEL, 1, 0);
    }
}

class PropertiesTest : public AppTest {
protected:
    void TearDown() override
    {
        AppTest::TearDown();
        g_browser = {};
    }
    // A new document whose slot holds file `ref` of `image`, as opening it records.
    HWND ImageDocument(const fixture::TempImage& image, EntryRef ref, const std::string& applePath)
    {
        Command(IDM_NEW_TEXT);
        HWND editor = GetActiveEditor();
        size_t slot = TakeFreeSlot(g_documents);
        FileEntry& entry = g_documents.fileEntry[slot];
        int layout = DecideImageLayout(ImageExtensionIndexOf(image.name()), image.path());
        EXPECT_EQ(layout == LayoutDos33 ? DecodeDosEntry(ref, image.path(), entry)
                                        : DecodeProdosEntry(ref, image.path(), layout, entry), 0);
        g_documents.directory[slot] = std::filesystem::path(image.path()).parent_path().string();
        g_documents.name[slot] = image.name();
        g_documents.applePath[slot] = applePath;
        SetEditorSlot(editor, static_cast<LONG_PTR>(slot));
        return editor;
    }
    // Every field and box of both pages shows what the document's slot composes.
    void ExpectShown(SheetSeen& seen, const std::string& applePath, const fixture::TempImage& image, int extension)
    {
        size_t slot = ImageSlotOf(GetActiveEditor());
        ASSERT_NE(slot, 0u);
        PropertyTexts texts = ComposePropertyTexts(g_documents.fileEntry[slot], applePath, image.name(),
                                                   std::filesystem::path(image.path()).parent_path().string(), extension);
        for (const PropertyField& field : texts.general) EXPECT_EQ(seen.general[field.controlId], field.value) << field.label;
        for (const PropertyField& field : texts.image) EXPECT_EQ(seen.image[field.controlId], field.value) << field.label;
        for (const AccessBox& box : texts.access) EXPECT_EQ(seen.checked[box.controlId], box.checked) << box.label;
    }
    bool PropertiesGrayed() { return (GetMenuState(g_app.menu, IDM_PROPERTIES, MF_BYCOMMAND) & MF_GRAYED) != 0; }

    // Runs Properties, reads the sheet from another thread while it is open, then cancels it.
    SheetSeen ShowProperties()
    {
        boxes_.reset();  // the sheet is a dialog: the watcher would close it
        SheetSeen seen;
        std::thread reader([&] {
            for (DWORD start = GetTickCount(); GetTickCount() - start < 10000; Sleep(20)) {
                std::vector<HWND> found = TopLevelWindowsOf(GetCurrentProcessId(), "#32770");
                if (found.empty() || !SendMessageA(found.front(), PSM_GETCURRENTPAGEHWND, 0, 0)) continue;
                ReadSheet(found.front(), seen);
                PostMessageA(found.front(), PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
                return;
            }
        });
        EXPECT_EQ(Command(IDM_PROPERTIES), 1);
        reader.join();
        boxes_ = std::make_unique<BoxWatcher>();
        return seen;
    }
};

TEST_F(PropertiesTest, AProdosDocumentsSheetAndOnlyImageDocumentsHaveOne)
{
    fixture::ProdosBuilder disk(280, "DISK");
    EntryRef ref = disk.AddFile(disk.VolumeDirectory(), "HELLO", fixture::Bytes(std::string(30, 'A')),
                                {.fileType = 0xFC, .auxType = 0x0801});
    fixture::TempImage image(disk.BlockOrder(), "po");

    Command(IDM_NEW_APPLESOFT);
    HWND windows = GetParent(GetActiveEditor());
    EXPECT_TRUE(PropertiesGrayed());
    EXPECT_EQ(Command(IDM_PROPERTIES), 0);  // a stray id shows nothing
    HWND apple = GetParent(ImageDocument(image, ref, "/DISK/HELLO"));
    SendMessageA(frame_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(GetSubMenu(g_app.menu, MENU_POSITION_FILE)),
                 MAKELPARAM(MENU_POSITION_FILE, FALSE));
    EXPECT_FALSE(PropertiesGrayed());
    for (HWND active : {windows, apple}) {
        SendMessageA(g_app.mdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(active), 0);
        EXPECT_EQ(PropertiesGrayed(), active == windows);
    }

    SheetSeen seen = ShowProperties();
    EXPECT_EQ(seen.caption, "Properties");
    EXPECT_EQ(seen.tabs, (std::vector<std::string>{"General", "Volume - Disk Image"}));
    EXPECT_FALSE(seen.applyShown);
    ExpectShown(seen, "/DISK/HELLO", image, kExtensionPo);
    EXPECT_EQ(seen.general[IDC_PROP_TYPE], "BAS ( Applesoft BASIC )  -  252   ( $FC )");
    EXPECT_EQ(seen.image[IDC_PROP_SIZE], "143360 bytes     (280 blocks)");
    EXPECT_EQ(seen.checked[IDC_PROP_DESTROY], true);  // access $C3
}

// The medium follows the document's own image even after the browser picked a hard disk.
TEST_F(PropertiesTest, ALockedDos33BinaryAndItsOwnImagesMedium)
{
    fixture::DosBuilder disk;
    std::vector<uint8_t> binary(4 + 16, 0xEA);
    binary[0] = 0x00, binary[1] = 0x03, binary[2] = 0x10, binary[3] = 0x00;  // load at $300, 16 bytes
    EntryRef ref = disk.AddFile("CHIP", 0x04, binary, {.locked = true});
    fixture::TempImage image(disk.Bytes(), "do");
    g_browser.extensionIndex = kExtensionHdv;
    ImageDocument(image, ref, "CHIP");

    SheetSeen seen = ShowProperties();
    ExpectShown(seen, "CHIP", image, kExtensionDo);
    EXPECT_EQ(seen.general[IDC_PROP_SIZE], "20  ( $14 ) bytes including 4 byte header");
    EXPECT_EQ(seen.image[IDC_PROP_MEDIUM], "Apple II 5.25\" floppy");
    EXPECT_EQ(seen.checked[IDC_PROP_DESTROY], false);
}

}  // namespace
