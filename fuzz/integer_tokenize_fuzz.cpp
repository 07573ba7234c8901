// Fuzz target for the Integer BASIC tokenizer: any text gives well-formed
// lines in rising order, and the listing of what it stored reads back to the
// same bytes. The listing leaves out control characters in strings and
// remarks and writes a constant typed with leading zeros without them, so
// the bytes read back equal the stored ones exactly when the text has
// neither; otherwise they hold the same lines, and read back to themselves.
// A broken promise aborts.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/basic/integer_listing.h"
#include "core/basic/integer_tokenizer.h"
#include "core/basic/integer_tokens.h"

namespace {

void Require(bool holds)
{
    if (!holds)
        abort();
}

// The line numbers, each line's length byte and its end token checked.
std::vector<int> LineNumbers(const std::vector<uint8_t>& program)
{
    std::vector<int> numbers;
    for (size_t at = 0; at < program.size(); at += program[at]) {
        Require(program[at] > 4 && at + program[at] <= program.size());
        Require(program[at + program[at] - 1] == kIntegerLineEnd);
        const int number = program[at + 1] | (program[at + 2] << 8);
        Require(number <= kIntegerHighestNumber && (numbers.empty() || number > numbers.back()));
        numbers.push_back(number);
    }
    return numbers;
}

std::vector<uint8_t> ReadBack(const std::vector<uint8_t>& program)
{
    std::string listing;
    Require(ListIntegerBasic(0, static_cast<int>(program.size()), listing, program, 0));
    std::vector<IntegerNote> notes;
    std::vector<uint8_t> back = TokenizeIntegerBasic(listing, &notes);
    Require(notes.empty());
    return back;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// No control character but the line ends, no digit after a 0.
bool ListsWhole(std::string_view text)
{
    char previous = ' ';
    for (char c : text) {
        const char seven = static_cast<char>(c & 0x7F);
        if (seven < ' ' && seven != '\r' && seven != '\n')
            return false;
        if (seven == ' ')
            continue;
        if (previous == '0' && IsDigit(seven))
            return false;
        previous = seven;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::vector<uint8_t> program = TokenizeIntegerBasic(text);
    const std::vector<uint8_t> back = ReadBack(program);
    Require(LineNumbers(back) == LineNumbers(program));
    if (ListsWhole(text))
        Require(back == program);
    else
        Require(ReadBack(back) == back);
    return 0;
}
