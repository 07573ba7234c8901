// The names on the command line, split as the C run-time library splits them.
#include "core/documents/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;

TEST(CommandLine, NamesAsShellsAndUsersWriteThem)
{
    EXPECT_EQ(CommandLineNames(""), Names{});
    EXPECT_EQ(CommandLineNames("  \t "), Names{});
    // A file association quotes the one name; a drag of several files quotes each.
    EXPECT_EQ(CommandLineNames("\"C:\\My Programs\\GAME LOOP.BAS\""), Names{"C:\\My Programs\\GAME LOOP.BAS"});
    EXPECT_EQ(CommandLineNames("\"C:\\a b\\ONE.BAS\" \"C:\\a b\\TWO.TXT\"  C:\\x\\THREE.TXT\t4.TXT"),
              (Names{"C:\\a b\\ONE.BAS", "C:\\a b\\TWO.TXT", "C:\\x\\THREE.TXT", "4.TXT"}));
    // Quotes may close in the middle of a name, and an unclosed quote runs to the end.
    EXPECT_EQ(CommandLineNames("\"C:\\a b\"\\c.txt \"d e"), (Names{"C:\\a b\\c.txt", "d e"}));
    EXPECT_EQ(CommandLineNames("\"\" x"), (Names{"", "x"}));
}

TEST(CommandLine, BackslashesCountOnlyBeforeAQuote)
{
    // A drive root quoted as "C:\" ends with a backslash before the quote.
    EXPECT_EQ(CommandLineNames("\"C:\\\\\" next"), (Names{"C:\\", "next"}));
    EXPECT_EQ(CommandLineNames("\\\\server\\share\\A.BAS"), Names{"\\\\server\\share\\A.BAS"});
    EXPECT_EQ(CommandLineNames("a\\\\\\\"b"), Names{"a\\\"b"});
    EXPECT_EQ(CommandLineNames("\"say \"\"hi\"\"\" x"), (Names{"say \"hi\"", "x"}));
    EXPECT_EQ(CommandLineNames("trailing\\"), Names{"trailing\\"});
}

}  // namespace
