#include "support/test_images.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/basic/applesoft_tokenizer.h"
#include "core/disk/browser_names.h"
#include "core/disk/dos33_new_volume.h"
#include "core/disk/image.h"
#include "core/disk/image_change.h"
#include "core/disk/prodos_new_volume.h"
#include "core/disk/volume_changes.h"
#include "support/app_fixture.h"

void WriteImageWithHello(const std::string& path, int layout, const std::string& volume, const std::string& helloPath)
{
    std::vector<uint8_t> bytes = layout == LayoutDos33 ? NewDosVolume() : NewProdosVolume(280, volume, {});
    FileToSave hello{AppleKind::Applesoft, TokenizeApplesoft("10 HOME\r")};
    EXPECT_TRUE(ChangeImageBytes(bytes, ImageExtensionIndexOf(path), [&](Volume& v) {
                    return SaveIntoVolume(v, helloPath, hello, false, {});
                }).Made());
    WriteFileText(path, std::string(bytes.begin(), bytes.end()));
}

void BrowseImage(const std::string& path, int layout, const std::string& prefix)
{
    g_browser = {};
    g_browser.imagePath = path;
    g_browser.imageTitle = path.substr(path.rfind('\\') + 1);
    g_browser.layout = layout;
    g_browser.currentPrefix = prefix;
}
