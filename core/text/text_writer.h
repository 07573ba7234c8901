// Appends many short pieces to a std::string through a small buffer on the
// stack: the listings write a few characters per input byte, and a checked
// std::string append per piece, or growing the string ahead of the writing (which
// zero-fills it), costs more than the listing itself.
#pragma once
#include <cstddef>
#include <string>

class TextWriter {
public:
    static constexpr size_t kChunk = 4096;  // characters gathered before each append

    explicit TextWriter(std::string& out) : out_(out) {}
    TextWriter(const TextWriter&) = delete;
    TextWriter& operator=(const TextWriter&) = delete;

    // Where writing starts.
    char* Start() { return chunk_; }

    // Returns a cursor with at least `count` (at most kChunk) writable characters,
    // having handed what lies before `cursor` to the string when needed.
    char* Room(char* cursor, size_t count)
    {
        if (static_cast<size_t>(chunk_ + kChunk - cursor) < count) [[unlikely]] {
            out_.append(chunk_, static_cast<size_t>(cursor - chunk_));
            return chunk_;
        }
        return cursor;
    }

    // Hands everything before `cursor` to the string. Call once, at the end.
    void Finish(const char* cursor) { out_.append(chunk_, static_cast<size_t>(cursor - chunk_)); }

private:
    std::string& out_;
    char chunk_[kChunk];
};

// Writes `value` in decimal ("%u": no leading zeros or spaces) and returns the
// end; the caller leaves room for ten digits.
inline char* WriteDecimal(char* cursor, unsigned value)
{
    char digits[10];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (count > 0)
        *cursor++ = digits[--count];
    return cursor;
}
