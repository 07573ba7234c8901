// Opening the browser's picks: one document per file, in list order, of the
// kind its type asks for, with the listing the core makes, coloured, and a
// slot that remembers the image, the Apple path and the entry.
#include <windows.h>

#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

#include "core/basic/integer_tokenizer.h"
#include "core/disk/browser_names.h"
#include "core/disk/image.h"
#include "core/disk/image_builder.h"
#include "core/disk/open_choice.h"
#include "core/disk/prodos.h"
#include "disk_browser/open_from_image.h"
#include "shell/app.h"
#include "shell/documents.h"
#include "support/app_fixture.h"
#include "support/editor_probe.h"

namespace {

using namespace fixture;

constexpr COLORREF kKeywordColour = 0x00BB00;  // first-run "Token" colour

// 10 HOME : PRINT "HI" / 20 END, tokenized at $0801.
const std::vector<uint8_t> kProgram = {0x0F, 0x08, 0x0A, 0x00, 0x97, 0x3A, 0xBA, 0x22, 0x48, 0x49, 0x22,
                                       0x00, 0x15, 0x08, 0x14, 0x00, 0x80, 0x00, 0x00, 0x00};

std::vector<HWND> DocumentsInCreationOrder()
{
    std::vector<HWND> found;
    for (HWND child = GetWindow(g_app.mdiClient, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (IsDocumentWindow(child)) found.insert(found.begin(), child);
    return found;
}

std::string WithoutLineFeeds(std::string text)
{
    std::erase(text, '\n');
    return text;
}

bool CtrlHeld(int key) { return key == VK_CONTROL; }
bool NothingHeld(int) { return false; }

// Reads every file but the one `g_unreadable` names, whose data finds no memory.
EntryRef g_unreadable = 0;
DocumentContent OpenAllButOne(ImageFile& image, int layout, EntryRef ref, bool hexDump, FileEntry& entry)
{
    if (ref != g_unreadable) return OpenImageEntry(image, layout, ref, hexDump, entry);
    DecodeProdosEntry(ref, image, layout, entry);
    throw std::bad_alloc();
}

class OpenFromImageTest : public AppTest {
protected:
    void Pick(const std::string& path, int layout, const std::string& prefix, const std::vector<EntryRef>& rowsInListOrder)
    {
        g_browser = {};
        g_browser.imagePath = path;
        g_browser.imageTitle = path.substr(path.rfind('\\') + 1);
        g_browser.layout = layout;
        g_browser.currentPrefix = prefix;
        // The browser stores the first row of the list at the highest position.
        size_t n = rowsInListOrder.size();
        for (size_t i = 0; i < n; ++i) g_documents.browserSelection[n - i] = rowsInListOrder[i];
    }
};

TEST_F(OpenFromImageTest, ProdosPicksOpenInListOrderWithTheirKindsAndPlaces)
{
    ProdosBuilder builder(280, "VOL");
    int sub = builder.AddDirectory(builder.VolumeDirectory(), "SUB");
    EntryRef hello = builder.AddFile(sub, "HELLO", kProgram, {.fileType = 0xFC, .auxType = 0x0801});
    EntryRef notes = builder.AddFile(sub, "NOTES", Bytes("ONE\rTWO\r"), {.fileType = 0x04});
    EntryRef data = builder.AddFile(sub, "DATA", {1, 2, 3}, {.fileType = 0x06, .auxType = 0x2000});
    std::string path = folder_->File("GAMES.PO");
    WriteFileText(path, std::string(builder.BlockOrder().begin(), builder.BlockOrder().end()));

    // A folder row among the picks stores 0 and is skipped.
    Pick(path, LayoutProdos, "/VOL/SUB/", {hello, 0, notes, data});
    EXPECT_EQ(OpenFromImage(frame_, 4, NothingHeld), 1);

    std::vector<HWND> documents = DocumentsInCreationOrder();
    ASSERT_EQ(documents.size(), 3u);
    const char* titles[] = {"HELLO", "NOTES", "DATA"};
    DocumentKind kinds[] = {DocumentKind::Applesoft, DocumentKind::Text, DocumentKind::Bin};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(Title(documents[i]), titles[i]);
        EXPECT_TRUE(IsDocumentOfKind(documents[i], kinds[i])) << titles[i];
    }
    HWND editor = EditorOf(documents[0]);
    FileEntry expectedEntry;
    DocumentContent expected = OpenImageEntry(path, LayoutProdos, hello, false, expectedEntry);
    EXPECT_EQ(WithoutLineFeeds(EditorText(editor)), expected.text);
    EXPECT_EQ(ColourAt(editor, 4), kKeywordColour);  // HOME
    EXPECT_EQ(SendMessageA(editor, EM_GETMODIFY, 0, 0), 0);

    LONG_PTR slot = EditorSlot(editor);
    ASSERT_GT(slot, 0);
    EXPECT_EQ(g_documents.directory[slot], folder_->path());
    EXPECT_EQ(g_documents.name[slot], "GAMES.PO");
    EXPECT_EQ(g_documents.applePath[slot], "/VOL/SUB/HELLO");
    EXPECT_EQ(g_documents.fileEntry[slot].fileType, 0xFC);
    EXPECT_EQ(Title(frame_), "TAVO - GAMES.PO");
    EXPECT_EQ(Setting("Directories", "Src"), folder_->path());

    // Closing a document forgets its file, so Properties cannot show it later.
    SendMessageA(documents[0], WM_CLOSE, 0, 0);
    EXPECT_EQ(g_documents.fileEntry[slot].layout, 0);
}

TEST_F(OpenFromImageTest, DosProgramsColouredCtrlDumpsAndUnreadableFilesGetNoPlace)
{
    DosBuilder builder;
    std::vector<uint8_t> withHeader = {static_cast<uint8_t>(kProgram.size()), 0};
    withHeader.insert(withHeader.end(), kProgram.begin(), kProgram.end());
    EntryRef program = builder.AddFile("START", 2, withHeader);
    const std::vector<uint8_t> integer = TokenizeIntegerBasic("10 PRINT \"HI\"\r20 END\r");
    std::vector<uint8_t> integerFile = {static_cast<uint8_t>(integer.size()), 0};
    integerFile.insert(integerFile.end(), integer.begin(), integer.end());
    EntryRef sieve = builder.AddFile("SIEVE", 1, integerFile);
    EntryRef broken = builder.AddFile("BROKEN", 0, DosText("X\n"));
    builder.FirstList(broken)[12] = 40;  // its data lies on a track the disk does not have
    std::string path = folder_->File("MASTER.DO");
    WriteFileText(path, std::string(builder.Bytes().begin(), builder.Bytes().end()));

    Pick(path, LayoutDos33, "", {program});
    OpenFromImage(frame_, 1, NothingHeld);
    HWND editor = GetActiveEditor();
    FileEntry entry;
    EXPECT_EQ(WithoutLineFeeds(EditorText(editor)), OpenImageEntry(path, LayoutDos33, program, false, entry).text);
    EXPECT_EQ(ColourAt(editor, 4), kKeywordColour);
    EXPECT_EQ(g_documents.applePath[EditorSlot(editor)], "START");

    // Ctrl: the same program as a hex dump, in an Applesoft window, uncoloured.
    OpenFromImage(frame_, 1, CtrlHeld);
    editor = GetActiveEditor();
    EXPECT_TRUE(IsDocumentOfKind(GetActiveDocument(), DocumentKind::Applesoft));
    EXPECT_NE(EditorText(editor).find("000000   14 00 0F 08 0A 00 97"), std::string::npos);
    EXPECT_NE(ColourAt(editor, 40), kKeywordColour);

    // An Integer BASIC program: coloured too, by its own BASIC's reading.
    Pick(path, LayoutDos33, "", {sieve});
    OpenFromImage(frame_, 1, NothingHeld);
    editor = GetActiveEditor();
    EXPECT_TRUE(IsDocumentOfKind(GetActiveDocument(), DocumentKind::Integer));
    const size_t print = EditorText(editor).find("PRINT");
    ASSERT_NE(print, std::string::npos) << EditorText(editor);
    EXPECT_EQ(ColourAt(editor, static_cast<LONG>(print)), kKeywordColour);

    // An unreadable file: its message, an empty document with no place, so
    // a later Save cannot type an empty program over the Apple file.
    Pick(path, LayoutDos33, "", {broken});
    boxes_->Expect(kErrorCaption, IDOK);
    OpenFromImage(frame_, 1, NothingHeld);
    ASSERT_TRUE(boxes_->WaitAnswered());
    EXPECT_EQ(boxes_->Answered().back().text.rfind("Apple ][ file (MASTER.DO) read error# ", 0), 0u);
    EXPECT_EQ(EditorSlot(GetActiveEditor()), kNoPlaceSlot);
    EXPECT_EQ(Title(GetActiveDocument()), "BROKEN");
}

}  // namespace

// A file that cannot be read into memory is skipped: the others open, and
// one message names the file left out.
TEST_F(OpenFromImageTest, AFileWithoutMemoryIsSkippedAndNamed)
{
    ProdosBuilder builder(280, "VOL");
    std::vector<EntryRef> refs;
    for (const char* name : {"ONE", "TWO", "THREE"}) refs.push_back(builder.AddFile(builder.VolumeDirectory(), name, Bytes("X\r"), {.fileType = 0x04}));
    std::string path = folder_->File("THREE.PO");
    WriteFileText(path, std::string(builder.BlockOrder().begin(), builder.BlockOrder().end()));
    Pick(path, LayoutProdos, "/VOL/", refs);
    g_unreadable = refs[1];
    boxes_->Expect(kErrorCaption, IDOK);
    EXPECT_EQ(OpenFromImage(frame_, 3, NothingHeld, OpenAllButOne), 1);
    std::vector<std::string> titles;
    for (HWND document : DocumentsInCreationOrder()) titles.push_back(Title(document));
    EXPECT_EQ(titles, (std::vector<std::string>{"ONE", "THREE"}));
    ASSERT_EQ(boxes_->Answered().size(), 1u);
    EXPECT_EQ(boxes_->Answered()[0].text, "Not enough memory to open these Apple ][ files: TWO!");
}
