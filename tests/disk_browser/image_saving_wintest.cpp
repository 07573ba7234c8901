// Save on a document opened from a disk image writes the image itself; what
// cannot be written leaves the image byte for byte and the document modified.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/disk/browser_names.h"
#include "core/disk/dos33.h"
#include "core/disk/image.h"
#include "core/disk/open_choice.h"
#include "core/disk/prodos.h"
#include "disk_browser/open_from_image.h"
#include "resources/resource.h"
#include "shell/documents.h"
#include "support/app_fixture.h"
#include "support/editor_probe.h"
#include "support/test_images.h"

namespace {


bool NothingHeld(int) { return false; }
bool CtrlHeld(int key) { return key == VK_CONTROL; }

struct Disk {
    const char* file;
    int layout;
    const char* applePath;
    int storedLength;  // of "10 PRINT 2" and "20 END": DOS 3.3 counts its two-byte length
};
const Disk kDisks[] = {
    {"SAVE.DO", LayoutDos33, "HELLO", 17},
    {"SAVE.PO", LayoutProdos, "/SAVE/HELLO", 15},
};

class ImageSavingTest : public AppTest {
protected:
    // An image holding HELLO, "10 HOME", opened as a document.
    HWND OpenHello(const Disk& disk, KeyHeld held = NothingHeld)
    {
        path_ = folder_->File(disk.file);
        WriteImageWithHello(path_, disk.layout, "SAVE", disk.applePath);
        BrowseImage(path_, disk.layout, disk.layout == LayoutDos33 ? "" : "/SAVE/");
        DirectoryListing listing = ListAppleVolume(path_, disk.layout);
        g_documents.browserSelection[1] = listing.rows.at(0).ref;
        EXPECT_EQ(OpenFromImage(frame_, 1, held), 1);
        HWND editor = GetActiveEditor();
        SendMessageA(editor, EM_SETSEL, 0, -1);
        SendMessageA(editor, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("10 PRINT 2\r20 END"));
        return editor;
    }

    DirectoryListing ListAppleVolume(const std::string& path, int layout)
    {
        std::string prefix;
        return layout == LayoutDos33 ? ListDosCatalog(path, prefix) : ListProdosVolume(path, layout, prefix);
    }

    std::string path_;
};

}  // namespace

TEST_F(ImageSavingTest, SaveWritesTheProgramIntoItsImage)
{
    for (const Disk& disk : kDisks) {
        SCOPED_TRACE(disk.file);
        HWND editor = OpenHello(disk);
        EXPECT_EQ(Command(IDM_SAVE), 1);
        EXPECT_FALSE(SendMessageA(editor, EM_GETMODIFY, 0, 0));
        FileEntry entry;
        DirectoryListing listing = ListAppleVolume(path_, disk.layout);
        ASSERT_EQ(listing.rows.size(), 1u);
        std::string text = OpenImageEntry(path_, disk.layout, listing.rows[0].ref, false, entry).text;
        EXPECT_NE(text.find("PRINT 2"), std::string::npos) << text;
        EXPECT_EQ(entry.eof, disk.storedLength);
        EXPECT_EQ(g_documents.fileEntry[EditorSlot(editor)].eof, disk.storedLength);  // what Properties shows
        SendMessageA(GetActiveDocument(), WM_CLOSE, 0, 0);
    }
}

TEST_F(ImageSavingTest, WhatCannotBeWrittenLeavesTheImageAndTheChanges)
{
    struct Refusal {
        const char* why;
        KeyHeld held;
        DWORD attributes;
        std::string text;
    };
    const Refusal refusals[] = {
        {"a hex dump", CtrlHeld, FILE_ATTRIBUTE_NORMAL, "A hex dump is not saved back into its disk image!"},
        {"read-only", NothingHeld, FILE_ATTRIBUTE_READONLY, "The disk image SAVE.PO is read-only!"},
    };
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.why);
        HWND editor = OpenHello(kDisks[1], refusal.held);
        SendMessageA(editor, EM_SETMODIFY, TRUE, 0);
        const std::string before = ReadFileText(path_);
        SetFileAttributesA(path_.c_str(), refusal.attributes);
        boxes_->Expect(kErrorCaption, IDOK);
        EXPECT_EQ(Command(IDM_SAVE), 0);
        ASSERT_TRUE(boxes_->WaitAnswered(5000));
        EXPECT_EQ(boxes_->Answered().back().text, refusal.text);
        SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(ReadFileText(path_), before);
        EXPECT_TRUE(SendMessageA(editor, EM_GETMODIFY, 0, 0));
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA(folder_->File("*.tmp").c_str(), &found);
        EXPECT_EQ(search, INVALID_HANDLE_VALUE) << "a temporary file stayed behind";
        if (search != INVALID_HANDLE_VALUE) FindClose(search);
        SendMessageA(editor, EM_SETMODIFY, FALSE, 0);
        SendMessageA(GetActiveDocument(), WM_CLOSE, 0, 0);
        DeleteFileA(path_.c_str());
    }
}
