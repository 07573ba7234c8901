// Path pieces and the open dialog's answer.
#include "core/documents/file_names.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

struct SplitRow {
    const char* name;
    const char* path;
    const char* directory;
    const char* base;
    const char* extension;
};

TEST(FileNames, SplitPath)
{
    const SplitRow rows[] = {
        {"plain", "C:\\work\\HELLO.TXT", "C:\\work", "HELLO", ".TXT"},
        {"no extension", "C:\\work\\HELLO", "C:\\work", "HELLO", ""},
        {"dot in a folder", "C:\\my.dir\\HELLO", "C:\\my.dir", "HELLO", ""},
        {"last dot wins", "C:\\a\\b.c.rtf", "C:\\a", "b.c", ".rtf"},
        {"drive root", "C:\\A.TXT", "C:", "A", ".TXT"},
        {"no directory", "A.TXT", "", "A", ".TXT"},
        {"trailing dot", "C:\\x\\A.", "C:\\x", "A", "."},
    };
    for (const SplitRow& row : rows) {
        SCOPED_TRACE(row.name);
        PathParts parts = SplitPath(row.path);
        EXPECT_EQ(parts.directory, row.directory);
        EXPECT_EQ(parts.name, row.base);
        EXPECT_EQ(parts.extension, row.extension);
    }
}

TEST(FileNames, RichTextOnlyForRtfInAnyCase)
{
    for (const char* rich : {"a.rtf", "C:\\x\\a.RTF", "a.Rtf", "b.c.rTf"}) EXPECT_TRUE(IsRichTextName(rich)) << rich;
    for (const char* plain : {"a.txt", "rtf", "C:\\rtf.d\\a", "a.rtf.txt", "a.rtfx", ""})
        EXPECT_FALSE(IsRichTextName(plain)) << plain;
}

TEST(FileNames, ApplesoftOnlyForBasInAnyCase)
{
    for (const char* bas : {"GAME.BAS", "C:\\x\\loop.bas", "a.b.Bas"}) EXPECT_TRUE(IsApplesoftName(bas)) << bas;
    for (const char* other : {"GAME.INT", "bas", "C:\\x.bas\\README", "a.bas.txt", ""})
        EXPECT_FALSE(IsApplesoftName(other)) << other;
}

TEST(FileNames, HelpFileFromTheStartFolderElseBesideTheProgram)
{
    static std::vector<std::string> present;
    auto exists = [](const std::string& path) {
        return std::find(present.begin(), present.end(), path) != present.end();
    };
    present = {"C:\\work\\TAVOHelp.chm", "D:\\TAVO\\TAVOHelp.chm"};
    EXPECT_EQ(ChooseHelpPath("C:\\work", "D:\\TAVO", exists), "C:\\work\\TAVOHelp.chm");
    present = {"D:\\TAVO\\TAVOHelp.chm"};
    EXPECT_EQ(ChooseHelpPath("C:\\", "D:\\TAVO", exists), "D:\\TAVO\\TAVOHelp.chm");
    present = {};
    EXPECT_EQ(ChooseHelpPath("C:\\", "D:\\TAVO", exists), "C:\\TAVOHelp.chm");
    EXPECT_EQ(ChooseHelpPath("C:\\work", "", exists), "C:\\work\\TAVOHelp.chm");
}

TEST(FileNames, OneSelectedFile)
{
    const std::string buffer("C:\\docs\\A.TXT\0\0", 15);
    EXPECT_EQ(SelectedDirectory(buffer, 8), "C:\\docs");
    EXPECT_EQ(SelectedFileNames(buffer, 8), std::vector<std::string>({"A.TXT"}));
}

TEST(FileNames, SeveralSelectedFilesInDialogOrder)
{
    const std::string buffer("C:\\docs\0C.TXT\0A.TXT\0B.RTF\0\0", 27);
    EXPECT_EQ(SelectedDirectory(buffer, 8), "C:\\docs");
    EXPECT_EQ(SelectedFileNames(buffer, 8), std::vector<std::string>({"C.TXT", "A.TXT", "B.RTF"}));
}

TEST(FileNames, DriveRootLosesItsBackslash)
{
    const std::string single("C:\\A.TXT\0", 9);
    EXPECT_EQ(SelectedDirectory(single, 3), "C:");
    const std::string several("C:\\\0A.TXT\0B.TXT\0\0", 17);
    EXPECT_EQ(SelectedDirectory(several, 4), "C:");
    EXPECT_EQ(SelectedFileNames(several, 4).size(), 2u);
    EXPECT_EQ(JoinDirectory("C:", "A.TXT"), "C:\\A.TXT");
}

TEST(FileNames, UnterminatedOrOddBuffersAreNotReadPast)
{
    const std::string full = "C:\\d\\NAME";  // no zero byte at all
    EXPECT_EQ(SelectedFileNames(full, 5), std::vector<std::string>({"NAME"}));
    EXPECT_TRUE(SelectedFileNames(full, 50).empty());
    EXPECT_EQ(SelectedDirectory(full, 50), "C:\\d\\NAME");
    EXPECT_TRUE(SelectedFileNames(std::string(), 0).empty());
}

}  // namespace

TEST(FileNames, JoinAddsOneBackslashAndHelpPathsAreQuoted)
{
    EXPECT_EQ(JoinDirectory("C:\\", "A.TXT"), "C:\\A.TXT");
    EXPECT_EQ(JoinDirectory("C:\\Programs\\", "A.TXT"), "C:\\Programs\\A.TXT");
    EXPECT_EQ(JoinDirectory("\\\\server\\share\\", "TAVOHelp.chm"), "\\\\server\\share\\TAVOHelp.chm");
    // A help file in a folder with blanks must reach the viewer as one argument.
    EXPECT_EQ(HelpCommandLine("D:\\WINNT", "C:\\My Programs\\TAVO\\TAVOHelp.chm"),
              "\"D:\\WINNT\\hh.exe\" \"C:\\My Programs\\TAVO\\TAVOHelp.chm\"");
    EXPECT_EQ(HelpCommandLine("", "C:\\TAVOHelp.chm"), "\"hh.exe\" \"C:\\TAVOHelp.chm\"");
}
