// A cursor that appends many short pieces to a std::string without a size check
// per piece: the listings ask for room once per line, then write freely.
#pragma once
#include <algorithm>
#include <cstddef>
#include <string>

class TextWriter {
public:
    explicit TextWriter(std::string& out) : out_(out), used_(out.size()) {}
    ~TextWriter() { out_.resize(used_); }
    TextWriter(const TextWriter&) = delete;
    TextWriter& operator=(const TextWriter&) = delete;

    // Returns where the next character goes, with at least `count` writable
    // characters from there on.
    char* Room(size_t count)
    {
        if (out_.size() - used_ < count)
            out_.resize(std::max(out_.size() * 2, used_ + count + 256));
        return out_.data() + used_;
    }

    // Marks everything up to `cursor` (a pointer obtained from Room) as written.
    void Commit(const char* cursor) { used_ = static_cast<size_t>(cursor - out_.data()); }

private:
    std::string& out_;
    size_t used_;
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
