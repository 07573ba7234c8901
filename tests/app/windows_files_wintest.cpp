// Windows files: Open with one or several names, Alt and Ctrl, rich text,
// Save and Save As with their slot moves, and writes that fail safely.
#include <windows.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/windows_files.h"
#include "resources/resource.h"
#include "shell/app.h"
#include "shell/documents.h"
#include "shell/file_dialog.h"
#include "shell/settings.h"
#include "support/app_fixture.h"
#include "support/editor_probe.h"

namespace {

std::string Kind(HWND window)
{
    char text[32] = {};
    GetClassNameA(window, text, sizeof text);
    return text;
}

// Documents in the order they were created (the MDI client lists the newest first).
std::vector<HWND> Documents()
{
    std::vector<HWND> found;
    for (HWND child = GetWindow(g_app.mdiClient, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (IsDocumentWindow(child)) found.insert(found.begin(), child);
    return found;
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

int FilesIn(const std::string& folder)
{
    int count = 0;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++count;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return count;
}

// Which keys each successive file finds held.
std::vector<std::vector<int>> g_heldPerFile;
size_t g_fileIndex = 0;
int g_probes = 0;
bool HeldFromScript(int key)
{
    ++g_probes;
    // Alt is asked first for each file, so a new file starts there.
    if (key == VK_MENU && g_probes > 1) ++g_fileIndex;
    if (g_fileIndex >= g_heldPerFile.size()) return false;
    for (int held : g_heldPerFile[g_fileIndex])
        if (held == key) return true;
    return false;
}
bool NothingHeld(int) { return false; }

class WindowsFilesTest : public AppTest {
protected:
    void Open(const std::string& folder, const std::vector<std::string>& names, KeyHeld held = NothingHeld)
    {
        std::string buffer = folder;
        buffer += '\0';
        size_t offset = buffer.size();
        for (const std::string& name : names) buffer += name + '\0';
        buffer += '\0';
        OpenChosenFiles(frame_, buffer.data(), buffer.size(), offset, held);
        PumpMessages();
    }
    void OpenWithKeys(const std::vector<std::string>& names, std::vector<std::vector<int>> keys)
    {
        g_heldPerFile = std::move(keys);
        g_fileIndex = 0;
        g_probes = 0;
        Open(folder_->path(), names, HeldFromScript);
    }
    void Edit(const std::string& text)
    {
        HWND editor = GetActiveEditor();
        SetWindowTextA(editor, text.c_str());
        SendMessageA(editor, EM_SETMODIFY, TRUE, 0);
    }
};

TEST_F(WindowsFilesTest, OpenDialogShowsAndCancelOpensNothing)
{
    boxes_->Expect("Open a file to edit:", IDCANCEL);
    EXPECT_EQ(Command(IDM_OPEN), 0);
    ASSERT_TRUE(boxes_->WaitAnswered());
    EXPECT_TRUE(Documents().empty());
    EXPECT_EQ(RememberedFilterIndex(), 2);  // only a successful Open changes it
}

TEST_F(WindowsFilesTest, ThreeFilesOpenInTheDialogsOrder)
{
    WriteFileText(folder_->File("C.TXT"), "third is first");
    WriteFileText(folder_->File("A.TXT"), "10 PRINT\r\n20 END");
    WriteFileText(folder_->File("B.BAS"), "bee");
    Open(folder_->path(), {"C.TXT", "A.TXT", "B.BAS"});
    std::vector<HWND> documents = Documents();
    ASSERT_EQ(documents.size(), 3u);
    const char* names[] = {"C.TXT", "A.TXT", "B.BAS"};
    const char* texts[] = {"third is first", "10 PRINT\r\n20 END", "bee"};
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(names[i]);
        EXPECT_EQ(Title(documents[i]), names[i]);
        EXPECT_EQ(Kind(documents[i]), "MDIChildClass");
        HWND editor = EditorOf(documents[i]);
        EXPECT_EQ(EditorText(editor), texts[i]);
        EXPECT_EQ(EditorSlot(editor), static_cast<LONG_PTR>(i + 1));
        EXPECT_EQ(g_documents.directory[i + 1], folder_->path());
        EXPECT_FALSE(SendMessageA(editor, EM_GETMODIFY, 0, 0));
    }
    EXPECT_EQ(Title(frame_), "TAVO - B.BAS");
    EXPECT_EQ(Setting("Directories", "Src"), folder_->path());
    EXPECT_EQ(g_settings.sourceDirectory, folder_->path());
}

TEST_F(WindowsFilesTest, RichTextByExtensionInAnyCase)
{
    const std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 {\\b Bold} plain\\par}";
    struct Row {
        const char* name;
        bool rich;
    } rows[] = {{"UPPER.RTF", true}, {"lower.rtf", true}, {"Mixed.RtF", true}, {"plain.txt", false}, {"NOEXT", false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        WriteFileText(folder_->File(row.name), rtf);
        Open(folder_->path(), {row.name});
        HWND editor = GetActiveEditor();
        ASSERT_NE(editor, nullptr);
        std::string text = EditorText(editor);
        if (row.rich) {
            EXPECT_EQ(text.rfind("Bold plain", 0), 0u) << text;
            CHARRANGE first = {0, 1};
            SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&first));
            CHARFORMATA format = {};
    format.cbSize = sizeof format;
            SendMessageA(editor, EM_GETCHARFORMAT, TRUE, reinterpret_cast<LPARAM>(&format));
            EXPECT_TRUE(format.dwEffects & CFE_BOLD);
        } else {
            EXPECT_EQ(text, rtf);
        }
        // Written back the same way it was read.
        Edit("saved text");
        EXPECT_EQ(Command(IDM_SAVE), 1);
        std::string written = ReadFileText(folder_->File(row.name));
        if (row.rich) {
            EXPECT_EQ(written.rfind("{\\rtf", 0), 0u) << written;
            EXPECT_NE(written.find("saved text"), std::string::npos);
        } else {
            EXPECT_EQ(written, "saved text");
        }
        EXPECT_FALSE(SendMessageA(editor, EM_GETMODIFY, 0, 0));
    }
}

TEST_F(WindowsFilesTest, CtrlShowsAHexDumpAndAltAnApplesoftDocument)
{
    // "AB", byte 1 and a high-bit "C": the character column clears bit 7 and
    // shows control codes as blanks.
    WriteFileText(folder_->File("RAW.BIN"), std::string("AB\x01\xC3", 4));
    WriteFileText(folder_->File("PROG.TXT"), "10 PRINT \"HI\"");
    OpenWithKeys({"RAW.BIN", "PROG.TXT", "RAW.BIN"}, {{VK_CONTROL}, {VK_MENU}, {VK_MENU, VK_CONTROL}});
    std::vector<HWND> documents = Documents();
    ASSERT_EQ(documents.size(), 3u);

    const std::string dumpLine = "000000   41 42 01 C3 ";
    std::string dump = EditorText(EditorOf(documents[0]));
    EXPECT_EQ(Kind(documents[0]), "MDIChildClass");
    EXPECT_EQ(dump.rfind("   $     00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F        ASCII ", 0), 0u) << dump;
    EXPECT_NE(dump.find(dumpLine), std::string::npos) << dump;
    EXPECT_NE(dump.find("AB C"), std::string::npos) << dump;

    EXPECT_EQ(Kind(documents[1]), "Applesoft");
    EXPECT_EQ(EditorText(EditorOf(documents[1])), "10 PRINT \"HI\"");

    EXPECT_EQ(Kind(documents[2]), "Applesoft");
    EXPECT_EQ(EditorText(EditorOf(documents[2])), dump);

    // Alt colours what it opens: PRINT in the keyword colour "00BB00".
    HWND program = EditorOf(documents[1]);
    CHARRANGE print = {3, 8};
    SendMessageA(program, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&print));
    CHARFORMATA format = {};
    format.cbSize = sizeof format;
    format.dwMask = CFM_COLOR;
    SendMessageA(program, EM_GETCHARFORMAT, TRUE, reinterpret_cast<LPARAM>(&format));
    EXPECT_EQ(format.crTextColor, 0x00BB00u);
    EXPECT_TRUE(format.dwMask & CFM_COLOR);  // the same colour throughout

    // With Alt and Ctrl the dump is coloured too: "ASCII" of its heading
    // starts with the keyword ASC; the dump opened with Ctrl alone is plain.
    const LONG asc = static_cast<LONG>(dump.find("ASCII"));
    for (size_t i : {size_t{0}, size_t{2}}) {
        HWND editor = EditorOf(documents[i]);
        CHARRANGE word = {asc, asc + 3};
        SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&word));
        CHARFORMATA seen = {};
        seen.cbSize = sizeof seen;
        SendMessageA(editor, EM_GETCHARFORMAT, TRUE, reinterpret_cast<LPARAM>(&seen));
        EXPECT_EQ(seen.crTextColor, i == 2 ? 0x00BB00u : 0u) << "document " << i;
    }
}

// A listing saved by a Unix tool ends its lines with line feeds alone: each
// still ends a BASIC line, for the colouring as for the emulator.
TEST_F(WindowsFilesTest, LineFeedsAloneEndLinesAsCarriageReturnsDo)
{
    WriteFileText(folder_->File("UNIX.BAS"), "10 REM LF\n20 PRINT \"A\"\n");
    std::string many, expected;
    for (int line = 0; line < 3000; ++line) {  // pieces of every size the editor asks for
        many += line % 2 ? "1 A\r\n" : "2 B\n";
        expected += line % 2 ? "1 A\r\n" : "2 B\r\n";
    }
    WriteFileText(folder_->File("MANY.TXT"), many);
    OpenWithKeys({"UNIX.BAS", "MANY.TXT"}, {{VK_MENU}, {}});
    std::vector<HWND> documents = Documents();
    ASSERT_EQ(documents.size(), 2u);
    HWND program = EditorOf(documents[0]);
    EXPECT_EQ(EditorText(program), "10 REM LF\r\n20 PRINT \"A\"\r\n");
    EXPECT_EQ(ColourAt(program, 14), 0x00BB00u);  // PRINT, not the remark's colour
    const std::string text = EditorText(EditorOf(documents[1]));
    EXPECT_TRUE(text == expected) << "first difference at "
                                  << std::mismatch(text.begin(), text.end(), expected.begin(), expected.end()).first -
                                         text.begin();
}

TEST_F(WindowsFilesTest, AMissingNameBecomesAnEmptyFile)
{
    Open(folder_->path(), {"NEW.TXT"});
    ASSERT_EQ(Documents().size(), 1u);
    EXPECT_EQ(Title(Documents()[0]), "NEW.TXT");
    EXPECT_EQ(EditorText(GetActiveEditor()), "");
    ASSERT_TRUE(FileExists(folder_->File("NEW.TXT")));
    EXPECT_EQ(ReadFileText(folder_->File("NEW.TXT")), "");
}

TEST_F(WindowsFilesTest, AFileThatCannotBeReadIsReportedAndKept)
{
    const std::string path = folder_->File("LOCKED.TXT");
    WriteFileText(path, "precious");
    HANDLE lock = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    boxes_->Expect(kErrorCaption, IDOK);
    Open(folder_->path(), {"LOCKED.TXT"});
    ASSERT_TRUE(boxes_->WaitAnswered());
    CloseHandle(lock);
    EXPECT_EQ(boxes_->Answered()[0].text, "Could not read file, LOCKED.TXT!");
    ASSERT_EQ(Documents().size(), 1u);
    EXPECT_EQ(Title(Documents()[0]), "LOCKED.TXT");
    EXPECT_EQ(EditorText(GetActiveEditor()), "");
    EXPECT_EQ(ReadFileText(path), "precious");
}

TEST_F(WindowsFilesTest, SaveAsMovesTheDocumentToANewSlot)
{
    WriteFileText(folder_->File("A.TXT"), "a");
    WriteFileText(folder_->File("B.TXT"), "b");
    Open(folder_->path(), {"A.TXT", "B.TXT"});
    std::vector<HWND> documents = Documents();
    ASSERT_EQ(documents.size(), 2u);
    // Closing A frees slot 1; B, in slot 2, is saved under a new name elsewhere.
    SendMessageA(documents[0], WM_CLOSE, 0, 0);
    PumpMessages();
    std::string elsewhere = folder_->path() + "\\sub";
    CreateDirectoryA(elsewhere.c_str(), nullptr);
    Edit("moved");
    EXPECT_EQ(SaveActiveDocumentAs(frame_, elsewhere + "\\C.TXT"), 1);
    HWND editor = GetActiveEditor();
    EXPECT_EQ(EditorSlot(editor), 1);
    EXPECT_EQ(g_documents.directory[1], elsewhere);
    EXPECT_EQ(g_documents.name[1], "C.TXT");
    EXPECT_TRUE(g_documents.directory[2].empty());
    EXPECT_EQ(Title(GetActiveDocument()), "C.TXT");
    EXPECT_EQ(Title(frame_), "TAVO - C.TXT");
    EXPECT_EQ(Setting("Directories", "Src"), elsewhere);
    EXPECT_EQ(ReadFileText(elsewhere + "\\C.TXT"), "moved");
    EXPECT_EQ(ReadFileText(folder_->File("B.TXT")), "b");
    EXPECT_FALSE(SendMessageA(editor, EM_GETMODIFY, 0, 0));

    // Save now writes to the new place.
    Edit("again");
    EXPECT_EQ(Command(IDM_SAVE), 1);
    EXPECT_EQ(ReadFileText(elsewhere + "\\C.TXT"), "again");
    SendMessageA(GetActiveDocument(), WM_CLOSE, 0, 0);
    PumpMessages();
    DeleteFileA((elsewhere + "\\C.TXT").c_str());
    RemoveDirectoryA(elsewhere.c_str());
}

TEST_F(WindowsFilesTest, SaveAsTakesADiskImageDocumentOffTheEmulator)
{
    WriteFileText(folder_->File("DISK.PO"), "");
    Open(folder_->path(), {"DISK.PO"});
    LONG_PTR slot = EditorSlot(GetActiveEditor());
    g_documents.applePath[slot] = "/VOL/HELLO";
    Edit("10 END");
    EXPECT_EQ(SaveActiveDocumentAs(frame_, folder_->File("HELLO.TXT")), 1);
    slot = EditorSlot(GetActiveEditor());
    EXPECT_TRUE(g_documents.applePath[slot].empty());
    Edit("20 END");
    EXPECT_EQ(Command(IDM_SAVE), 1);
    EXPECT_EQ(ReadFileText(folder_->File("HELLO.TXT")), "20 END");
}

TEST_F(WindowsFilesTest, AFailedWriteKeepsTheOldFileAndTheChanges)
{
    struct Row {
        const char* name;
        const char* file;
        bool readOnly;
        bool folderInTheWay;
    } rows[] = {
        {"read-only file", "RO.TXT", true, false},
        {"a folder of that name", "DIR.TXT", false, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string path = folder_->File(row.file);
        WriteFileText(folder_->File("DOC.TXT"), "old");
        Open(folder_->path(), {"DOC.TXT"});
        if (row.readOnly) {
            WriteFileText(path, "old");
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
        }
        if (row.folderInTheWay) CreateDirectoryA(path.c_str(), nullptr);
        // Save As onto it, and plain Save after the document's own file became read-only.
        Edit("new");
        int filesBefore = FilesIn(folder_->path());
        boxes_->Expect(kErrorCaption, IDOK);
        EXPECT_EQ(SaveActiveDocumentAs(frame_, path), 0);
        ASSERT_TRUE(boxes_->WaitAnswered());
        EXPECT_EQ(boxes_->Answered().back().text, std::string("Could not write file, ") + row.file + "!");
        EXPECT_TRUE(SendMessageA(GetActiveEditor(), EM_GETMODIFY, 0, 0));
        EXPECT_EQ(Title(GetActiveDocument()), "DOC.TXT");
        EXPECT_EQ(FilesIn(folder_->path()), filesBefore);  // no temporary file left behind
        if (row.readOnly) {
            EXPECT_EQ(ReadFileText(path), "old");
        }
        if (row.folderInTheWay) {
            EXPECT_TRUE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
        }

        SetFileAttributesA(folder_->File("DOC.TXT").c_str(), FILE_ATTRIBUTE_READONLY);
        boxes_->Expect(kErrorCaption, IDOK);
        EXPECT_EQ(Command(IDM_SAVE), 0);
        ASSERT_TRUE(boxes_->WaitAnswered());
        EXPECT_EQ(boxes_->Answered().back().text, "Could not write file, DOC.TXT!");
        EXPECT_EQ(ReadFileText(folder_->File("DOC.TXT")), "old");
        EXPECT_TRUE(SendMessageA(GetActiveEditor(), EM_GETMODIFY, 0, 0));

        SetFileAttributesA(folder_->File("DOC.TXT").c_str(), FILE_ATTRIBUTE_NORMAL);
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        RemoveDirectoryA(path.c_str());
        SendMessageA(GetActiveEditor(), EM_SETMODIFY, FALSE, 0);
        SendMessageA(GetActiveDocument(), WM_CLOSE, 0, 0);
        PumpMessages();
    }
}

}  // namespace
