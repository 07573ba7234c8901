// The numbered messages of the program and how their texts are composed.
// Portable: the message box itself is shown by ReportError (report_error.cpp).
#pragma once
#include <string>
#include <string_view>

// Message box flags as Windows defines them; report_error.cpp checks that they match.
constexpr unsigned kBoxOk = 0x00;
constexpr unsigned kBoxYesNo = 0x04;
constexpr unsigned kBoxIconError = 0x10;
constexpr unsigned kBoxIconQuestion = 0x20;
constexpr unsigned kBoxIconWarning = 0x30;

constexpr unsigned kMessageMaxChars = 255;  // the composed text never exceeds this
constexpr unsigned kLastNumberedMessage = 34;

struct ComposedMessage {
    bool show = false;        // message 0 shows nothing
    std::string text;         // at most kMessageMaxChars characters
    unsigned flags = kBoxOk;
    bool returnsAnswer = false;  // only the overwrite question hands its answer back
};

// Composes message `number` with its text and value arguments. Numbers that
// are not in the table (above 34, or negative ones passed as unsigned) use the
// generic "Error #%i. %s". An argument text that would make the message longer
// than 255 characters is shortened in its middle, so that both the start of a
// path and its file name stay readable.
ComposedMessage ComposeMessage(unsigned number, std::string_view text, int value);

// The raw table text of a numbered message, or empty when there is none.
std::string_view MessageTemplate(unsigned number);
