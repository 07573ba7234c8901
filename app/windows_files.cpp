// Windows files: the streaming of files into and out of editors, and Open,
// Save and Save As for Windows drives.
#include "app/windows_files.h"

#include <richedit.h>
#include <cderr.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <optional>
#include <span>

#include "app/commands.h"
#include "app/frame.h"
#include "core/disk/browser_names.h"
#include "core/disk/image.h"
#include "core/documents/file_names.h"
#include "core/settings/setting_values.h"
#include "core/text/hex_dump.h"
#include "core/text/line_ends.h"
#include "disk_browser/image_saving.h"
#include "disk_browser/last_image.h"
#include "disk_browser/open_dialog.h"
#include "disk_browser/open_from_image.h"
#include "resources/resource.h"
#include "shell/app.h"
#include "shell/default_font.h"
#include "shell/documents.h"
#include "shell/editor_colouring.h"
#include "shell/editor_setup.h"
#include "shell/editor_text.h"
#include "shell/file_dialog.h"
#include "shell/file_replacement.h"
#include "shell/frame_title.h"
#include "shell/report_error.h"
#include "shell/settings.h"

namespace {

constexpr LONG kTextPieceBytes = 2048;  // plain text read at a time, before its line ends grow
constexpr DWORD kLargestHexDumpBytes = 256u << 20;  // beyond this the dump would not fit in memory

struct StreamState {
    HANDLE file;
    bool failed;
    bool afterCarriageReturn = false;  // plain text: the last byte read
};

DWORD CALLBACK ReadFromFile(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* got)
{
    auto* state = reinterpret_cast<StreamState*>(cookie);
    DWORD read = 0;
    *got = 0;
    if (!ReadFile(state->file, buffer, static_cast<DWORD>(wanted), &read, nullptr)) {
        state->failed = true;
        return 1;
    }
    *got = static_cast<LONG>(read);
    return 0;
}

// Plain text with a line end for every line feed: half a buffer is read, so
// that every byte can become two.
DWORD CALLBACK ReadTextFromFile(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* got)
{
    if (wanted < 2) return ReadFromFile(cookie, buffer, wanted, got);  // no room to grow: as it is
    auto* state = reinterpret_cast<StreamState*>(cookie);
    char read[kTextPieceBytes];
    LONG half = 0;
    DWORD result = ReadFromFile(cookie, reinterpret_cast<LPBYTE>(read), std::min<LONG>(wanted / 2, sizeof read), &half);
    *got = static_cast<LONG>(
        ExpandLoneLineFeeds(read, static_cast<size_t>(half), reinterpret_cast<char*>(buffer), state->afterCarriageReturn));
    return result;
}

DWORD CALLBACK WriteToFile(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* done)
{
    auto* state = reinterpret_cast<StreamState*>(cookie);
    DWORD written = 0;
    *done = 0;
    if (!WriteFile(state->file, buffer, static_cast<DWORD>(count), &written, nullptr) ||
        written != static_cast<DWORD>(count)) {
        state->failed = true;
        return 1;
    }
    *done = count;
    return 0;
}

HANDLE OpenForReading(const char* path)
{
    return CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

// The open dialog offers to create a name that does not exist; it becomes
// an empty file. An existing file is never touched.
void CreateIfMissing(const char* path)
{
    if (GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES || GetLastError() != ERROR_FILE_NOT_FOUND) return;
    HANDLE file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
}

void SetModified(HWND editor, bool modified) { SendMessageA(editor, EM_SETMODIFY, modified ? TRUE : FALSE, 0); }

int CurrentFontPoints() { return ParseDecimal(g_settings.currentFontSize); }

// The raw file as a hex dump. False ends the Open command.
bool ShowHexDump(HWND frame, HWND editor, const std::string& path, const std::string& name)
{
    HANDLE file = OpenForReading(path.c_str());
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD size = GetFileSize(file, nullptr);
    if (size == INVALID_FILE_SIZE) {
        CloseHandle(file);
        return false;
    }
    std::vector<uint8_t> bytes;
    std::string text;
    try {
        if (size > kLargestHexDumpBytes) throw std::bad_alloc();
        bytes.resize(size);
    } catch (const std::bad_alloc&) {
        CloseHandle(file);
        ReportError(Message::CantAllocateMemory);
        return false;
    }
    DWORD total = 0;
    while (total < size) {
        DWORD read = 0;
        if (!ReadFile(file, bytes.data() + total, size - total, &read, nullptr)) {
            CloseHandle(file);
            ReportError(Message::CouldNotReadFile, name);
            return false;
        }
        if (read == 0) break;  // the file shrank while we read it
        total += read;
    }
    CloseHandle(file);
    try {
        HexDump(0, static_cast<int>(total), text, std::span<const uint8_t>(bytes.data(), total), 0);
    } catch (const std::bad_alloc&) {
        ReportError(Message::CantAllocateMemory, {}, 0, frame);
        SetCursor(g_app.arrowCursor);
        return false;
    }
    SetWindowTextA(editor, "");
    ApplyDefaultFont(editor, g_settings.currentFontName.c_str(), CurrentFontPoints());
    SendMessageA(editor, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
    return true;
}

// How one file is opened: the open dialog asks the keys held, the command
// line asks the name.
struct OpenWay {
    bool applesoft;
    bool hexDump;
    bool createMissing;
};

// Opens the Windows file `name` of `g_settings.sourceDirectory` as a new
// document. False ends the command. `shownName` becomes the name the frame
// title shows: the file's, or none when it could not be read.
bool OpenWindowsFile(HWND frame, const std::string& name, OpenWay way, std::string& shownName)
{
    shownName = name;
    if (RefuseSameName(name.c_str())) return true;
    HWND editor = EditorOf(CreateDocumentWindow(way.applesoft ? DocumentKind::Applesoft : DocumentKind::Edit, name.c_str()));
    if (!editor) return true;

    PrepareOpenedEditor(editor);

    std::string path = JoinDirectory(g_settings.sourceDirectory, name);
    size_t slot = TakeFreeSlot(g_documents);
    if (slot == 0) {
        ReportError(Message::CantAllocateMemory);
        return false;
    }
    g_documents.directory[slot] = g_settings.sourceDirectory;
    g_documents.name[slot] = name;
    SetEditorSlot(editor, static_cast<LONG_PTR>(slot));

    if (way.createMissing) CreateIfMissing(path.c_str());
    if (way.hexDump) {
        if (!ShowHexDump(frame, editor, path, name)) return false;
    } else if (!LoadFileIntoEditor(editor, path.c_str())) {
        ReportError(Message::CouldNotReadFile, name, 0, frame);
        shownName.clear();
    }

    FinishOpenedDocument(frame, editor, way.applesoft);
    return true;
}

}  // namespace

int LoadFileIntoEditor(HWND editor, const char* path)
{
    HANDLE file = OpenForReading(path);
    if (file == INVALID_HANDLE_VALUE) return 0;
    if (GetFileSize(file, nullptr) == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) {
        CloseHandle(file);
        return 0;
    }
    StreamState state = {file, false};
    const bool rich = IsRichTextName(path);
    EDITSTREAM stream = {reinterpret_cast<DWORD_PTR>(&state), 0, rich ? ReadFromFile : ReadTextFromFile};
    WPARAM format = (rich ? SF_RTF : SF_TEXT) | SFF_SELECTION;
    SendMessageA(editor, EM_STREAMIN, format, reinterpret_cast<LPARAM>(&stream));
    CloseHandle(file);
    bool read = stream.dwError == 0 && !state.failed;
    // Half a file would pass for the whole one: keep nothing of a failed read.
    if (!read) SetWindowTextA(editor, "");
    SetModified(editor, false);
    return read ? 1 : 0;
}

int SaveEditorToFile(HWND editor, const char* path)
{
    bool replaced = ReplaceFileThrough(path, [editor, path](HANDLE file) {
        StreamState state = {file, false};
        EDITSTREAM stream = {reinterpret_cast<DWORD_PTR>(&state), 0, WriteToFile};
        SendMessageA(editor, EM_STREAMOUT, IsRichTextName(path) ? SF_RTF : SF_TEXT, reinterpret_cast<LPARAM>(&stream));
        return stream.dwError == 0 && !state.failed;
    });
    if (!replaced) return 0;
    SetModified(editor, false);
    return 1;
}

LRESULT OpenChosenFiles(HWND frame, const char* buffer, size_t size, size_t nameOffset, KeyHeld held)
{
    SetCursor(g_app.waitCursor);
    std::span<const char> answer(buffer, size);
    RememberSourceDirectory(SelectedDirectory(answer, nameOffset));
    bool finished = true;
    std::string shownName;
    for (const std::string& name : SelectedFileNames(answer, nameOffset)) {
        if (!OpenWindowsFile(frame, name, {held(VK_MENU), held(VK_CONTROL), true}, shownName)) {
            finished = false;
            break;
        }
    }
    SetCursor(g_app.arrowCursor);
    SetFrameTitle(frame, shownName);
    return finished ? 1 : 0;
}

LRESULT OpenNamedFiles(HWND frame, const std::vector<std::string>& paths)
{
    SetCursor(g_app.waitCursor);
    bool finished = true;
    bool opened = false;
    std::string shownName;
    std::optional<PathParts> image;  // the disk image named last
    for (const std::string& given : paths) {
        char full[MAX_PATH] = {};
        DWORD length = GetFullPathNameA(given.c_str(), sizeof full, full, nullptr);
        DWORD attributes = length == 0 || length >= sizeof full ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(full);
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            ReportError(Message::CouldNotReadFile, given, 0, frame);
            continue;
        }
        PathParts parts = SplitPath(full);
        if (ImageExtensionIndexOf(full) != 0) {
            image = parts;
            continue;
        }
        RememberSourceDirectory(parts.directory);
        if (!OpenWindowsFile(frame, parts.name + parts.extension, {IsApplesoftName(full), false, false}, shownName)) {
            finished = false;
            break;
        }
        opened = true;
    }
    SetCursor(g_app.arrowCursor);
    if (opened) SetFrameTitle(frame, shownName);
    if (finished && image) {
        // Open then starts in the image's folder and lists the image by
        // itself, as it does with the image used last.
        RememberSourceDirectory(image->directory);
        WriteLastImage(image->name + image->extension);
        PostMessageA(frame, WM_COMMAND, IDM_OPEN, 0);
    }
    return finished ? 1 : 0;
}

LRESULT OpenFiles(HWND frame)
{
    PrepareFileDialog(frame, g_settings.sourceDirectory.c_str(), "Open a file to edit:");
    g_browser.selectedAppleName.clear();
    g_browser.currentPrefix.clear();
    g_browser.newAppleName.clear();
    DWORD offset = ChooseOpenFile(OpenDialogHook, kOpenDialogTemplate);
    if (offset == 0) {
        if (CommDlgExtendedError() == FNERR_BUFFERTOOSMALL) ReportError(Message::TooManyFiles, {}, 0, frame);
        return 0;
    }
    if (size_t count = AppleSelectionCount(); count > 0) return OpenFromImage(frame, count);
    return OpenChosenFiles(frame, ChosenFileBuffer(), kFileBufferChars, offset);
}

LRESULT SaveDocument(HWND frame)
{
    HWND document = GetActiveDocument();
    HWND editor = EditorOf(document);
    if (!editor) return 0;
    LONG_PTR slot = EditorSlot(editor);
    if (slot <= 0 || static_cast<size_t>(slot) >= g_documents.capacity) {
        ReportError(Message::ChooseSavePlace, {}, 0, frame);
        return 0;
    }
    if (!g_documents.applePath[slot].empty()) {
        ImageSave saved = SaveIntoImage(frame, document, static_cast<size_t>(slot));
        if (saved == ImageSave::NotSaved) return 0;
        if (saved == ImageSave::Saved) {
            SetModified(editor, false);
            return 1;
        }
        // Through the emulator, which has the image; the document stays
        // modified when nothing could be typed.
        g_app.runSavesInstead = true;
        if (!SendMessageA(frame, WM_COMMAND, IDM_RUN_PROGRAM, 0)) return 0;
        SetModified(editor, false);
        return 1;
    }
    g_settings.sourceDirectory = g_documents.directory[slot];
    std::string name = WindowTitle(document, kFileTitleChars - 1);
    if (name == kUntitled) return SaveDocumentAs(frame);
    if (!SaveEditorToFile(editor, JoinDirectory(g_settings.sourceDirectory, name).c_str())) {
        ReportError(Message::CouldNotWriteFile, name, 0, frame);
        return 0;
    }
    SetWindowTextA(document, name.c_str());
    SetModified(editor, false);
    SetFrameTitle(frame, name);
    return 1;
}

LRESULT SaveDocumentAs(HWND frame)
{
    HWND document = GetActiveDocument();
    HWND editor = EditorOf(document);
    if (!editor) return 0;
    std::string name = WindowTitle(document, kFileTitleChars - 1);
    LONG_PTR slot = EditorSlot(editor);
    if (slot > 0 && static_cast<size_t>(slot) < g_documents.capacity)
        g_settings.sourceDirectory = g_documents.directory[slot];
    std::string path = JoinDirectory(g_settings.sourceDirectory, name);
    PrepareFileDialog(frame, path.c_str(), "Save file as:");
    if (ChooseSaveFile(path, name) == 0) return 0;
    return SaveActiveDocumentAs(frame, ChosenFileBuffer());
}

LRESULT SaveActiveDocumentAs(HWND frame, const std::string& path)
{
    HWND document = GetActiveDocument();
    HWND editor = EditorOf(document);
    if (!editor) return 0;
    PathParts parts = SplitPath(path);
    std::string name = parts.name + parts.extension;
    if (!SaveEditorToFile(editor, path.c_str())) {
        ReportError(Message::CouldNotWriteFile, name, 0, frame);
        return 0;
    }
    SetWindowTextA(document, name.c_str());
    RememberSourceDirectory(parts.directory);
    SetModified(editor, false);

    LONG_PTR old = EditorSlot(editor);
    if (old > 0) ClearDocumentSlot(g_documents, static_cast<size_t>(old));
    size_t slot = TakeFreeSlot(g_documents);
    if (slot == 0) {
        SetEditorSlot(editor, kNoPlaceSlot);
        ReportError(Message::CantAllocateMemory);
        return 0;
    }
    g_documents.directory[slot] = g_settings.sourceDirectory;
    g_documents.name[slot] = name;
    SetEditorSlot(editor, static_cast<LONG_PTR>(slot));
    SetFrameTitle(frame, name);
    return 1;
}
