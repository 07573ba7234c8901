// Apple names on the host: the file names extract gives, and the escaped
// text of names for the terminal.
#include "core/disk/host_names.h"

#include <gtest/gtest.h>

TEST(HostNames, FileNamesEveryHostAccepts)
{
    struct Row {
        std::string_view apple, host;
    } rows[] = {
        {"HELLO", "HELLO"},
        {"HELLO                         ", "HELLO"},  // a DOS 3.3 name with its trailing blanks
        {"A/B", "A_B"},
        {"WHAT?*<>|:\"\\", "WHAT________"},
        {"BELL\x07" "ESC\x1B", "BELL_ESC_"},
        {"END.", "END"},
        {"END . .", "END"},
        {"", "_"},
        {"...", "_"},
        {"CON", "_CON"},
        {"con.txt", "_con.txt"},
        {"NUL.TAR.GZ", "_NUL.TAR.GZ"},
        {"COM1", "_COM1"},
        {"LPT9.BAS", "_LPT9.BAS"},
        {"COM10", "COM10"},
        {"CONSOLE", "CONSOLE"},
        {"AUXILIARY.TXT", "AUXILIARY.TXT"},
        // Names Windows also takes for devices.
        {"CONIN$", "_CONIN$"},
        {"conout$.txt", "_conout$.txt"},
        {"COM0", "_COM0"},
        {"LPT0.TXT", "_LPT0.TXT"},
        {"CON .TXT", "_CON .TXT"},
        {"NUL  .", "_NUL"},
        {"PRN . X", "_PRN . X"},
        {"COM\xB9", "COM_"},  // COM with a superscript one
        {"CONIN$X", "CONIN$X"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.apple);
        EXPECT_EQ(HostFileName(row.apple), row.host);
    }
}

TEST(HostNames, EscapedNamesStayOnOneLine)
{
    struct Row {
        std::string_view apple, text;
    } rows[] = {
        {"HELLO WORLD", "HELLO WORLD"},
        {"RED\x1B[31m", "RED\\x1B[31m"},
        {"BELL\x07", "BELL\\x07"},
        {"TWO\r\nLINES", "TWO\\x0D\\x0ALINES"},
        {"A\\B", "A\\\\B"},
        {"\\x41", "\\\\x41"},  // not to be read back as "A"
        {"DEL\x7F\xFF\x80", "DEL\\x7F\\xFF\\x80"},
        {std::string_view("NUL\0", 4), "NUL\\x00"},
        {"~ !", "~ !"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(EscapedAppleName(row.apple), row.text);
    }
}
