// Every numbered message as its box shows it: caption, exact text, flags.
#include <windows.h>

#include <gtest/gtest.h>

#include "shell/report_error.h"
#include "support/box_watcher.h"

namespace {

struct Row {
    unsigned number;
    const char* text;
    UINT flags;
};

constexpr Row kRows[] = {
    {1, "Can't allocate memory!", MB_OK},
    {2, "Apple ][ file (HELLO) read error# 5", MB_OK},
    {3, "Could not read file, HELLO!", MB_OK},
    {4, "Could not write file, HELLO!", MB_OK},
    {6, "Text not found!  Cursor reset to top of document.", MB_OK},
    {7, "Unable to load the Rich Edit controls!", MB_ICONWARNING},
    {9, "Non-standard file!", MB_ICONWARNING},
    {10, "Could NOT create Window!", MB_OK},
    {11, "Could NOT create ListView imagelist!", MB_OK},
    {12, "Failed to insert ListView item!", MB_OK},
    {13, "Print - StartDoc Error!", MB_ICONERROR},
    {14, "Print - StartPage Error!", MB_ICONERROR},
    {15, "Print - Display Band Error!", MB_ICONERROR},
    {16, "Print - EndPage Error!", MB_ICONERROR},
    {17, "Print - EndDoc Error!", MB_ICONERROR},
    {18, "You must choose a place to save the file.\nFrom the File menu use either:\n\n"
         "'Save to Apple ][ disk image as...'\n\nor\n\n'Save to Windows drive as...'", MB_OK},
    {19, "A 'Same Name' document, HELLO, cannot be opened!", MB_OK},
    {20, "No Emulator Running!", MB_OK},
    {21, "Could not launch HELLO", MB_OK},
    {22, "You must enter both a \n utility name and a file path!", MB_OK},
    {23, "There are no utilities to remove!", MB_OK},
    {24, "No item selected!", MB_OK},
    {25, "File (HELLO) already exists!\nDo you want to overwrite the file?", MB_YESNO | MB_ICONQUESTION},
    {26, "A file needs to be selected!", MB_OK},
    {27, "Unknown disk image format!", MB_OK},
    {28, "Problem setting default font!", MB_OK},
    {29, "Too many files selected!", MB_OK},
    {30, "Utilities Menu Initialization Error!", MB_OK},
    {31, "Commands Menu Initialization Error!", MB_OK},
    {32, "You must enter a command name!", MB_OK},
    {34, "Unsupported storage type!", MB_OK},
    {35, "The emulator window could not be brought to the front!", MB_OK},
    {36, "The Apple ][ file name is empty!", MB_OK},
    {37, "The Apple ][ file name HELLO is longer than 5 characters!", MB_OK},
    {38, "The Apple ][ file name HELLO must begin with a letter!", MB_OK},
    {39, "The ProDOS file name HELLO may hold only letters, digits and full stops!", MB_OK},
    {40, "The DOS 3.3 file name HELLO may hold only printable characters!", MB_OK},
    {41, "The DOS 3.3 file name HELLO cannot hold a comma!", MB_OK},
    {42, "The folder path \"HELLO\" is not valid on this disk!", MB_OK},
    {43, "The Utilities menu is full: it holds no more than 199 utilities!", MB_OK},
    {44, "The HELLO dialog failed, error# 5!", MB_OK | MB_ICONERROR},
    {45, "There is not enough room on the disk for HELLO!", MB_OK},
    {46, "There is no room in the catalog for HELLO!", MB_OK},
    {47, "The disk image is damaged and can only be read: HELLO!", MB_OK | MB_ICONWARNING},
    {48, "The disk image HELLO is read-only!", MB_OK},
    {49, "The disk image HELLO is in use by another program.\nType the command into the emulator instead?",
     MB_YESNO | MB_ICONQUESTION},
    {50, "A hex dump is not saved back into its disk image!", MB_OK},
    {51, "The Apple ][ file HELLO is locked!", MB_OK},
    {52, "The folder HELLO is not empty!", MB_OK},
    {53, "The Apple ][ file HELLO is not on the disk!", MB_OK},
    {54, "The Apple ][ file HELLO shares its sectors with another file and is left as it is!", MB_OK},
    {55, "The Apple ][ file HELLO already exists!", MB_OK},
    {56, "The disk image is damaged and cannot be read: HELLO!", MB_OK},
    {57, "The disk image HELLO is write-protected: it can only be read.", MB_OK},
    {58, "The disk holds no DOS 3.3 or ProDOS volume TAVO can list. HELLO", MB_OK},
    {59, "Sectors of an Apple ][ file could not be read: HELLO!", MB_OK},
    {60, "This disk image can only be read: HELLO!", MB_OK},
    {61, "Not enough memory to open these Apple ][ files: HELLO!", MB_OK},
    {62, "Renumbering would give line HELLO a number past 5, the last line number allowed!", MB_OK},
    {63, "Renumbering would move line HELLO onto or past line 5!", MB_OK},
    {64, "Line HELLO is out of order or typed twice: renumbering needs the lines in order!", MB_OK},
    {65, "Renumbering needs a first number of 0 or more and a step of 1 or more!", MB_OK},
    {99, "Error #99. HELLO", MB_OK},
    {144, "Error #144. HELLO", MB_OK},
};

TEST(MessageBoxes, EveryNumberShowsItsTextAndFlags)
{
    BoxWatcher boxes;
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.number);
        boxes.Expect(kErrorCaption, (row.flags & MB_YESNO) ? IDNO : IDOK);
        int answer = ReportError(static_cast<Message>(row.number), "HELLO", 5);
        ASSERT_TRUE(boxes.WaitAnswered(5000));
        BoxSeen box = boxes.Answered().back();
        EXPECT_EQ(box.caption, kErrorCaption);
        EXPECT_EQ(box.text, row.text);
        EXPECT_EQ(box.flags, row.flags);
        EXPECT_EQ(answer, (row.flags & MB_YESNO) ? IDNO : 0);
    }
    EXPECT_TRUE(boxes.Unexpected().empty());
}

TEST(MessageBoxes, ZeroShowsNothingAndOverwriteAnswersYes)
{
    BoxWatcher boxes;
    EXPECT_EQ(ReportError(Message::None, "HELLO", 5), 0);
    boxes.Expect(kErrorCaption, IDYES);
    EXPECT_EQ(ReportError(Message::OverwriteQuestion, "A.TXT"), IDYES);
    EXPECT_EQ(boxes.Answered().size(), 1u);
    EXPECT_TRUE(boxes.Unexpected().empty());
}

}  // namespace
