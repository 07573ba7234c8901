// The numbered messages of the program and how their texts are composed.
// Portable, so that the disk readers and the command-line tools name their
// messages too; the box itself is shown by ReportError (report_error.cpp).
#pragma once
#include <string>
#include <string_view>

// Every message by its number; nothing else in the program writes one as a bare number.
enum class Message : unsigned {
    None = 0,  // shows nothing
    CantAllocateMemory = 1,
    AppleFileReadError = 2,      // with the image's file name and the reader's result
    CouldNotReadFile = 3,
    CouldNotWriteFile = 4,
    TextNotFound = 6,
    CantLoadRichEdit = 7,
    NonStandardFile = 9,
    CantCreateWindow = 10,
    CantCreateImageList = 11,
    CantInsertListItem = 12,
    PrintStartDoc = 13,
    PrintStartPage = 14,
    PrintDisplayBand = 15,
    PrintEndPage = 16,
    PrintEndDoc = 17,
    ChooseSavePlace = 18,
    SameNameDocument = 19,
    NoEmulatorRunning = 20,
    CouldNotLaunch = 21,
    UtilityNameAndPath = 22,
    NoUtilitiesToRemove = 23,
    NoItemSelected = 24,
    OverwriteQuestion = 25,  // the one question: its answer is handed back
    FileNeedsSelecting = 26,
    UnknownImageFormat = 27,
    DefaultFontProblem = 28,
    TooManyFiles = 29,
    UtilitiesMenuInit = 30,
    CommandsMenuInit = 31,
    CommandNameMissing = 32,
    UnsupportedStorageType = 34,
    EmulatorNotInFront = 35,  // nothing typed: the keys would have gone to another window
    CantCreateEditCommandsDialog = 144,  // no text of its own: "Error #144. "

    // Names refused before a disk command or a save is typed into the emulator.
    AppleNameEmpty = 36,
    AppleNameTooLong = 37,         // with the name and the longest length allowed
    AppleNameFirstCharacter = 38,
    ProdosNameCharacters = 39,
    DosNameCharacters = 40,
    DosNameComma = 41,
    BadApplePrefix = 42,
    // The Utilities menu's Add dialog; it stays open.
    TooManyUtilities = 43,
    // Printing: a print or page set-up dialog that failed, not one cancelled.
    PrintDialogFailed = 44,
    // Writing into a disk image; the image is then as it was.
    DiskFull = 45,            // with the Apple file's name
    CatalogFull = 46,
    DamagedVolume = 47,       // with what is wrong: the volume is only read
    ReadOnlyImage = 48,       // with the image's file name
    ImageInUse = 49,          // a question: type into the emulator instead?
    HexDumpNotSaved = 50,
    AppleFileLocked = 51,
    FolderNotEmpty = 52,
    AppleFileNotFound = 53,
    SharedSectors = 54,       // the file's sectors are another file's too
    AppleFileExists = 55,
    // Images in containers (2MG, nibbles, WOZ) and disks that are not standard.
    DamagedContainer = 56,     // with the part that cannot be read: nothing is listed
    WriteProtectedImage = 57,  // with the image's file name: it is only read
    NoListableVolume = 58,     // with which tracks and sectors could be read
    UnreadableSectors = 59,    // with the Apple file's name and the sectors that failed, in one text
    ImageNotWritable = 60,     // with why: the image is only read
    FilesNotOpened = 61,       // with the names of the Apple files skipped
    // Renumbering refused; the program is then as it was.
    RenumberPassesLastLine = 62,  // with the line and the last number allowed
    RenumberPassesLine = 63,      // with the line in the range and the one outside it
    RenumberLinesOutOfOrder = 64, // with the line
    RenumberBadStep = 65,
    RenumberMissingNumber = 66,   // a box of the Renumber dialog left empty
    RenumberEmptyRange = 67,      // with the first and the last line asked for
    // Jumps between a program's lines.
    NoReferenceAtCaret = 68,
    NoSuchLine = 69,              // with the number as typed
    CaretLineUnnumbered = 70,
    // Edit Commands: a key the built-in table has, with the key and the
    // command's place in the menus.
    KeyOfBuiltInCommand = 71,     // the built-in command keeps it: the entry is not stored
    KeyTakenFromBuiltIn = 72,     // a special character's key: the entry is stored and takes it
};

// Message box flags as Windows defines them; report_error.cpp checks that they match.
constexpr unsigned kBoxOk = 0x00;
constexpr unsigned kBoxYesNo = 0x04;
constexpr unsigned kBoxIconError = 0x10;
constexpr unsigned kBoxIconQuestion = 0x20;
constexpr unsigned kBoxIconWarning = 0x30;

constexpr unsigned kMessageMaxChars = 255;  // the composed text never exceeds this

struct ComposedMessage {
    bool show = false;        // Message::None shows nothing
    std::string text;         // at most kMessageMaxChars characters
    unsigned flags = kBoxOk;
    bool returnsAnswer = false;  // a question hands its answer back
};

// Composes `message` with its text and value arguments. A number that is
// not in the table uses the generic "Error #%i. %s". An argument text that
// would make the message longer than 255 characters is shortened in its
// middle, so that both the start of a path and its file name stay readable.
ComposedMessage ComposeMessage(Message message, std::string_view text = {}, int value = 0);
