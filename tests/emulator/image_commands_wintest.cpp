// The browser's Lock, Rename and Delete change the image itself, on either
// file system, and the list shows what the image now holds.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/disk/apple_path.h"
#include "core/disk/browser_names.h"
#include "core/disk/dos33.h"
#include "core/disk/image.h"
#include "core/disk/prodos.h"
#include "resources/resource.h"
#include "support/app_fixture.h"
#include "support/test_images.h"

namespace {

struct Disk {
    const char* file;
    int layout;
    const char* prefix;
};

class ImageCommandsTest : public AppTest {
protected:
    void Browse(const Disk& disk)
    {
        path_ = folder_->File(disk.file);
        WriteImageWithHello(path_, disk.layout, "DISK", std::string(disk.prefix) + "HELLO");
        BrowseImage(path_, disk.layout, disk.prefix);
        layout_ = disk.layout;
    }

    std::vector<DirectoryRow> Rows()
    {
        std::string prefix;
        return (layout_ == LayoutDos33 ? ListDosCatalog(path_, prefix) : ListProdosVolume(path_, layout_, prefix)).rows;
    }

    std::string path_;
    int layout_ = LayoutNone;
};

}  // namespace

TEST_F(ImageCommandsTest, LockRenameAndDeleteChangeTheImage)
{
    for (const Disk& disk : {Disk{"DISK.DO", LayoutDos33, ""}, Disk{"DISK.PO", LayoutProdos, "/DISK/"}}) {
        SCOPED_TRACE(disk.file);
        Browse(disk);
        g_browser.selectedAppleName = "HELLO";
        EXPECT_EQ(Command(IDM_APPLE_LOCK), 0);
        EXPECT_TRUE(Rows().at(0).locked);
        boxes_->Expect(kErrorCaption, IDOK);  // a locked file keeps its name
        g_browser.newAppleName = "GREETING";
        EXPECT_EQ(Command(IDM_APPLE_RENAME), 1);
        ASSERT_TRUE(boxes_->WaitAnswered(5000));
        EXPECT_EQ(boxes_->Answered().back().text, "The Apple ][ file " + std::string(disk.prefix) + "HELLO is locked!");
        EXPECT_EQ(Command(IDM_APPLE_LOCK, 1), 0);  // the row shows it locked: unlock
        EXPECT_EQ(Command(IDM_APPLE_RENAME), 0);
        EXPECT_EQ(TrimmedName(Rows().at(0).name), "GREETING");
        g_browser.selectedAppleName = "GREETING";
        boxes_->Expect(kQuestionCaption, IDYES);  // "DelPrompt" is on
        EXPECT_EQ(Command(IDM_APPLE_DELETE), 0);
        EXPECT_TRUE(Rows().empty());
    }
}
