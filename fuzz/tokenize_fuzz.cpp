// Fuzz target for the Applesoft tokenizer: any text, typed or read as a
// listing, gives a well-formed program, and the listing of a typed program
// reads back to the same bytes. Text that only claims to be a listing may join
// names the spaces kept apart, but the program it gives then reads back from
// its own listing. Check Program on any text measures the same program and
// points only at places inside the text. A broken promise aborts.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/basic/applesoft_listing.h"
#include "core/basic/applesoft_tokenizer.h"
#include "core/basic/program_check.h"

namespace {

void Require(bool holds)
{
    if (!holds)
        abort();
}

// The records chain from the load address to the zero end link, which ends
// the bytes, and their numbers rise.
void RequireWellFormed(const std::vector<uint8_t>& program, int loadAddress)
{
    Require(program.size() >= 2);
    size_t at = 0;
    int previous = -1;
    while (program[at] != 0 || program[at + 1] != 0) {
        const int link = program[at] | (program[at + 1] << 8);
        const size_t next = at + static_cast<size_t>(link - loadAddress - static_cast<int>(at));
        Require(next > at + 5 && next + 2 <= program.size());
        const int number = program[at + 2] | (program[at + 3] << 8);
        Require(number > previous);
        previous = number;
        Require(program[next - 1] == 0);
        at = next;
    }
    Require(at + 2 == program.size());
}

std::vector<uint8_t> ReadBack(const std::vector<uint8_t>& program, int loadAddress)
{
    std::string listing;
    Require(ListApplesoft(0, static_cast<int>(program.size()), listing, program, loadAddress));
    return TokenizeApplesoft(listing, loadAddress, ApplesoftText::Listing);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const ApplesoftText kind = (data[0] & 1) != 0 ? ApplesoftText::Listing : ApplesoftText::Typed;
    const int loadAddress = (data[0] & 2) != 0 ? kApplesoftLoadAddress : 0x4001;
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::vector<uint8_t> program = TokenizeApplesoft(text, loadAddress, kind);
    RequireWellFormed(program, loadAddress);
    const std::vector<uint8_t> back = ReadBack(program, loadAddress);
    if (kind == ApplesoftText::Typed) {
        Require(back == program);
        if (loadAddress == kApplesoftLoadAddress) {
            const ProgramCheck check = CheckApplesoftProgram(text);
            Require(check.bytes == program.size());
            for (const ProgramFinding& finding : check.findings)
                Require(finding.offset <= text.size() && finding.line >= 0);
        }
    }
    else
        Require(ReadBack(back, loadAddress) == back);
    return 0;
}
