// Composition of the numbered messages.
#include "core/messages/messages.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The table is kept by number, so the tests look its rows up by number too.
ComposedMessage Compose(unsigned number, std::string_view text, int value)
{
    return ComposeMessage(static_cast<Message>(number), text, value);
}

}  // namespace

TEST(MessageTable, WorkedExamples)
{
    ComposedMessage two = Compose(2, "HELLO", 5);
    EXPECT_TRUE(two.show);
    EXPECT_EQ(two.text, "Apple ][ file (HELLO) read error# 5");

    ComposedMessage generic = Compose(144, "", 0);
    EXPECT_EQ(generic.text, "Error #144. ");  // the trailing blank is part of the text
    EXPECT_EQ(generic.flags, kBoxOk);

    ComposedMessage none = Compose(0, "ignored", 1);
    EXPECT_FALSE(none.show);
    EXPECT_TRUE(none.text.empty());
}

TEST(MessageTable, OnlyTheQuestionsReturnTheirAnswers)
{
    for (unsigned n = 0; n <= 200; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(Compose(n, "x", 0).returnsAnswer, n == 25 || n == 49);
    }
    EXPECT_EQ(Compose(25, "A.TXT", 0).flags, kBoxYesNo | kBoxIconQuestion);
    EXPECT_EQ(Compose(25, "A.TXT", 0).text,
              "File (A.TXT) already exists!\nDo you want to overwrite the file?");
}

TEST(MessageTable, NegativeNumbersUseTheGenericText)
{
    // A negative number arrives as a large unsigned value and prints as itself.
    ComposedMessage m = Compose(static_cast<unsigned>(-3), "step", 0);
    EXPECT_EQ(m.text, "Error #-3. step");
}

TEST(MessageTable, ArgumentsAreIgnoredWhereTheTextHasNoPlaceholder)
{
    EXPECT_EQ(Compose(6, "abc", 9).text, "Text not found!  Cursor reset to top of document.");
    EXPECT_EQ(Compose(22, "abc", 9).text, "You must enter both a \n utility name and a file path!");
    EXPECT_EQ(Compose(21, "C:\\x.exe", 9).text, "Could not launch C:\\x.exe");
    EXPECT_EQ(Compose(35, "abc", 9).text, "The emulator window could not be brought to the front!");
}

TEST(MessageTable, LongArgumentIsShortenedInTheMiddle)
{
    std::string path = "C:\\" + std::string(300, 'd') + "\\PROGRAM.TXT";
    ComposedMessage m = Compose(4, path, 0);
    ASSERT_EQ(m.text.size(), kMessageMaxChars);
    EXPECT_EQ(m.text.rfind("Could not write file, C:\\ddd", 0), 0u);
    EXPECT_NE(m.text.find("..."), std::string::npos);
    EXPECT_EQ(m.text.substr(m.text.size() - 13), "\\PROGRAM.TXT!");

    ComposedMessage generic = Compose(500, std::string(1000, 'z'), 0);
    EXPECT_EQ(generic.text.size(), kMessageMaxChars);
    EXPECT_EQ(generic.text.rfind("Error #500. zzz", 0), 0u);
}

TEST(MessageTable, FlagsOfWarningsAndPrintErrors)
{
    EXPECT_EQ(Compose(7, "", 0).flags, kBoxIconWarning);
    EXPECT_EQ(Compose(9, "", 0).flags, kBoxIconWarning);
    for (unsigned n = 13; n <= 17; ++n) EXPECT_EQ(Compose(n, "", 0).flags, kBoxIconError) << n;
    for (unsigned n : {1u, 2u, 3u, 4u, 6u, 10u, 18u, 19u, 20u, 21u, 27u, 34u, 35u})
        EXPECT_EQ(Compose(n, "", 0).flags, kBoxOk) << n;
}
