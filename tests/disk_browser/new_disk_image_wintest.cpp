// File > New Disk Image: each kind of empty volume saved where the user
// chooses, which the readers then list as an empty disk with its name.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "core/disk/dos33.h"
#include "core/disk/image.h"
#include "core/disk/prodos.h"
#include "resources/resource.h"
#include "support/app_fixture.h"

TEST_F(AppTest, NewDiskImageSavesEachKindEmpty)
{
    struct Kind {
        int control;
        const char* file;
        int layout;
        long long bytes;
        const char* prefix;
    };
    const Kind kinds[] = {
        {IDC_NEWDISK_DOS33, "BLANK.DO", LayoutDos33, 143360, ""},
        {IDC_NEWDISK_PRODOS_140K, "BLANK.PO", LayoutProdos, 143360, "/FLOPPY/"},
        {IDC_NEWDISK_PRODOS_800K, "BIGGER", LayoutProdos, 819200, "/FLOPPY/"},  // the extension is added
        {IDC_NEWDISK_PRODOS_32M, "HARD.HDV", LayoutProdos, 65535LL * 512, "/FLOPPY/"},
    };
    for (const Kind& kind : kinds) {
        SCOPED_TRACE(kind.file);
        const std::string path = folder_->File(kind.file);
        boxes_->Expect("New Disk Image", [&](HWND dialog) {
            CheckRadioButton(dialog, IDC_NEWDISK_DOS33, IDC_NEWDISK_PRODOS_32M, kind.control);
            SetDlgItemTextA(dialog, IDC_NEWDISK_NAME, "floppy");
            Press(dialog, IDOK);
        });
        boxes_->Expect("Save the new disk image as:", [&](HWND save) { ChooseFileName(save, path); });
        Command(IDM_NEW_DISK_IMAGE);
        ASSERT_TRUE(boxes_->WaitAnswered(5000));
        const std::string saved = std::string(kind.file).find('.') == std::string::npos ? path + ".po" : path;
        WIN32_FILE_ATTRIBUTE_DATA data = {};
        ASSERT_TRUE(GetFileAttributesExA(saved.c_str(), GetFileExInfoStandard, &data));
        EXPECT_EQ(static_cast<long long>(data.nFileSizeLow) + (static_cast<long long>(data.nFileSizeHigh) << 32), kind.bytes);
        std::string prefix;
        DirectoryListing listing =
            kind.layout == LayoutDos33 ? ListDosCatalog(saved, prefix) : ListProdosVolume(saved, kind.layout, prefix);
        EXPECT_EQ(listing.message, Message::None);
        EXPECT_TRUE(listing.rows.empty());
        EXPECT_EQ(prefix, kind.prefix);
    }
    EXPECT_TRUE(boxes_->Unexpected().empty());
}
