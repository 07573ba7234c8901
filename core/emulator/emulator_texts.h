// What the emulator link decides and types, as text: which configured names
// count, which window a name finds, what Run and the keyword commands type,
// and the list of running programs.
#pragma once
#include "core/text/buffer_size.h"
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr int kMaxEmulatorNames = 999;     // "Name[%i]" keys are built in nine characters

// How many "Name[%i]" keys a "Number" of `number` asks to read.
int EmulatorNameCount(int number);
// The first of `names`, in key order, that some title equals exactly (case
// and spaces included): the index of the first such title. An empty name and
// the text of a missing key never match.
std::optional<size_t> FindEmulatorTitle(const std::vector<std::string>& names, const std::vector<std::string>& titles);

// "NEW\r", the program with every CR LF made one CR, then "\rRUN\r\n".
std::string RunProgramText(std::string_view program);
// The same with "\rSAVE " + `applePath` + "\r\n" in place of "\rRUN\r\n".
std::string SaveProgramText(std::string_view program, std::string_view applePath);
// Keyword command `index` (0 to 107): the token table's name and "\r"; the
// empty entry 107 gives "\r" alone, any other index nothing.
std::string KeywordText(int index);

// The disk commands of the Apple file browser, each one line ending in a
// single carriage return; `prefix` is "/VOL/SUB/", or "" on DOS 3.3.
std::string DeleteLine(std::string_view prefix, std::string_view name);
std::string RenameLine(std::string_view prefix, std::string_view oldName, std::string_view newName);
std::string PrefixLine(std::string_view prefix);
std::string LockLine(std::string_view prefix, std::string_view name, bool unlock);
// BASIC.SYSTEM's CREATE, which makes a folder.
std::string CreateFolderLine(std::string_view prefix, std::string_view name);
// The question before a deletion, naming the image the user means and the
// file's path: the emulator deletes on whatever disk it used last.
std::string DeleteQuestionText(std::string_view imageTitle, std::string_view path);

// The document of List Programs Running: header, rule, then one line per
// window title ("?" for an empty one), each title cut at kTextBufferChars.
std::string ProgramListText(const std::vector<std::string>& titles);
