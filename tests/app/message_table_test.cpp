// Composition of the numbered messages.
#include "app/message_table.h"

#include <gtest/gtest.h>

#include <string>

TEST(MessageTable, WorkedExamples)
{
    ComposedMessage two = ComposeMessage(2, "HELLO", 5);
    EXPECT_TRUE(two.show);
    EXPECT_EQ(two.text, "Apple ][ file (HELLO) read error# 5");

    ComposedMessage generic = ComposeMessage(144, "", 0);
    EXPECT_EQ(generic.text, "Error #144. ");  // the trailing blank is part of the text
    EXPECT_EQ(generic.flags, kBoxOk);

    ComposedMessage none = ComposeMessage(0, "ignored", 1);
    EXPECT_FALSE(none.show);
    EXPECT_TRUE(none.text.empty());
}

TEST(MessageTable, OnlyTheOverwriteQuestionReturnsItsAnswer)
{
    for (unsigned n = 0; n <= 200; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(ComposeMessage(n, "x", 0).returnsAnswer, n == 25);
    }
    EXPECT_EQ(ComposeMessage(25, "A.TXT", 0).flags, kBoxYesNo | kBoxIconQuestion);
    EXPECT_EQ(ComposeMessage(25, "A.TXT", 0).text,
              "File (A.TXT) already exists!\nDo you want to overwrite the file?");
}

TEST(MessageTable, NegativeNumbersUseTheGenericText)
{
    // A negative number arrives as a large unsigned value and prints as itself.
    ComposedMessage m = ComposeMessage(static_cast<unsigned>(-3), "step", 0);
    EXPECT_EQ(m.text, "Error #-3. step");
}

TEST(MessageTable, ArgumentsAreIgnoredWhereTheTextHasNoPlaceholder)
{
    EXPECT_EQ(ComposeMessage(6, "abc", 9).text, "Text not found!  Cursor reset to top of document.");
    EXPECT_EQ(ComposeMessage(22, "abc", 9).text, "You must enter both a \n utility name and a file path!");
    EXPECT_EQ(ComposeMessage(21, "C:\\x.exe", 9).text, "Could not launch C:\\x.exe");
}

TEST(MessageTable, LongArgumentIsShortenedInTheMiddle)
{
    std::string path = "C:\\" + std::string(300, 'd') + "\\PROGRAM.TXT";
    ComposedMessage m = ComposeMessage(4, path, 0);
    ASSERT_EQ(m.text.size(), kMessageMaxChars);
    EXPECT_EQ(m.text.rfind("Could not write file, C:\\ddd", 0), 0u);
    EXPECT_NE(m.text.find("..."), std::string::npos);
    EXPECT_EQ(m.text.substr(m.text.size() - 13), "\\PROGRAM.TXT!");

    ComposedMessage generic = ComposeMessage(500, std::string(1000, 'z'), 0);
    EXPECT_EQ(generic.text.size(), kMessageMaxChars);
    EXPECT_EQ(generic.text.rfind("Error #500. zzz", 0), 0u);
}

TEST(MessageTable, FlagsOfWarningsAndPrintErrors)
{
    EXPECT_EQ(ComposeMessage(7, "", 0).flags, kBoxIconWarning);
    EXPECT_EQ(ComposeMessage(9, "", 0).flags, kBoxIconWarning);
    for (unsigned n = 13; n <= 17; ++n) EXPECT_EQ(ComposeMessage(n, "", 0).flags, kBoxIconError) << n;
    for (unsigned n : {1u, 2u, 3u, 4u, 6u, 10u, 18u, 19u, 20u, 21u, 27u, 34u})
        EXPECT_EQ(ComposeMessage(n, "", 0).flags, kBoxOk) << n;
}
