// Files named on the command line open at start-up as Open opens them.
#include <windows.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/app.h"
#include "shell/documents.h"
#include "shell/settings.h"
#include "support/app_fixture.h"
#include "support/editor_probe.h"

namespace {

std::vector<HWND> DocumentsInOpeningOrder()
{
    std::vector<HWND> found;
    for (HWND child = GetWindow(g_app.mdiClient, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (IsDocumentWindow(child)) found.insert(found.begin(), child);
    return found;
}

std::string ClassOf(HWND window)
{
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

class CommandLineTest : public AppTest {
protected:
    bool StartsInSetUp() const override { return false; }
};

// As a drag of three files onto the icon passes them: a program with blanks
// in its name by a relative name, a text in another folder by its full
// path, and a name that is no file.
TEST_F(CommandLineTest, DraggedFilesOpenInOrderAndAMissingOneIsReportedNotMade)
{
    WriteFileText(folder_->File("GAME LOOP.BAS"), "10 PRINT \"HI\": GOTO 10");
    const std::string other = folder_->File("other folder");
    ASSERT_TRUE(CreateDirectoryA(other.c_str(), nullptr));
    WriteFileText(other + "\\notes.txt", "plain notes");

    boxes_->Expect(kErrorCaption, IDOK);
    ASSERT_NE(Start("\"GAME LOOP.BAS\" \"" + other + "\\notes.txt\" MISSING.TXT"), nullptr);
    ASSERT_TRUE(boxes_->WaitAnswered());
    EXPECT_EQ(boxes_->Answered()[0].text, "Could not read file, MISSING.TXT!");
    EXPECT_EQ(GetFileAttributesA(folder_->File("MISSING.TXT").c_str()), INVALID_FILE_ATTRIBUTES);

    std::vector<HWND> documents = DocumentsInOpeningOrder();
    ASSERT_EQ(documents.size(), 2u);
    EXPECT_EQ(Title(documents[0]), "GAME LOOP.BAS");
    EXPECT_EQ(ClassOf(documents[0]), "Applesoft");
    HWND program = EditorOf(documents[0]);
    EXPECT_EQ(EditorText(program), "10 PRINT \"HI\": GOTO 10");
    EXPECT_EQ(ColourAt(program, 3), 0x00BB00u);  // PRINT in the keyword colour
    EXPECT_EQ(ColourAt(program, 10), 0xBB0000u);  // inside the quotes
    EXPECT_EQ(g_documents.directory[EditorSlot(program)], folder_->path());

    EXPECT_EQ(Title(documents[1]), "notes.txt");
    EXPECT_EQ(ClassOf(documents[1]), "MDIChildClass");
    HWND notes = EditorOf(documents[1]);
    EXPECT_EQ(EditorText(notes), "plain notes");
    EXPECT_FALSE(SendMessageA(notes, EM_GETMODIFY, 0, 0));
    EXPECT_EQ(g_documents.directory[EditorSlot(notes)], other);

    // The last file's folder is where the next Open starts.
    EXPECT_EQ(g_settings.sourceDirectory, other);
    EXPECT_EQ(Setting("Directories", "Src"), other);
    EXPECT_EQ(Title(frame_), "TAVO - notes.txt");
}

TEST_F(CommandLineTest, OnlyNamesThatAreNotFilesLeaveTheFrameAsAtAnyStart)
{
    ASSERT_TRUE(CreateDirectoryA(folder_->File("A FOLDER").c_str(), nullptr));
    boxes_->Expect(kErrorCaption, IDOK);
    ASSERT_NE(Start("\"A FOLDER\""), nullptr);
    ASSERT_TRUE(boxes_->WaitAnswered());
    EXPECT_EQ(boxes_->Answered()[0].text, "Could not read file, A FOLDER!");
    EXPECT_TRUE(DocumentsInOpeningOrder().empty());
    EXPECT_EQ(Title(frame_), "TAVO - Untitled");
    EXPECT_EQ(g_settings.sourceDirectory, folder_->path());
}

}  // namespace
