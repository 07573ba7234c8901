// Speed of the listings on the largest programs that fit in memory, and of
// tokenizing their listings back, next to a plain memcpy of the
// same bytes in the same run (the physical bound).
// Prints microseconds per run and MB/s of program bytes for each.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "core/basic/applesoft_listing.h"
#include "core/basic/applesoft_tokenizer.h"
#include "core/basic/applesoft_tokens.h"
#include "core/basic/integer_listing.h"
#include "core/basic/integer_tokenizer.h"
#include "core/text/hex_dump.h"

namespace {

constexpr int kProgramEnd = 0x9600;    // HIMEM under DOS 3.3 with three buffers
constexpr int kRepeats = 400;

using Bytes = std::vector<uint8_t>;

// Applesoft lines of typical make-up: keywords, names, numbers and strings.
Bytes LargestApplesoftProgram()
{
    const Bytes statements[] = {
        {0x81, 'I', 0xD0, '1', 0xC1, '1', '0', '0', ':', 0xBA, '"', 'H', 'E', 'L', 'L', 'O', ' ', 'W', 'O', 'R',
         'L', 'D', '"', ';', 'A', '$', '(', 'I', ')', ':', 0x82, 'I'},
        {0x92, '3', ':', 0x93, 'X', ',', 'Y', 0xC1, 'X', 0xC8, '1', '0', ',', 'Y', 0xC8, '1', '0'},
        {0xAD, 'A', 0xCF, 'B', 0xC4, 0xAB, '1', '2', '0', '0', ':', 0xB0, '3', '0', '0', '0'},
        {0xB2, ' ', 'C', 'O', 'M', 'P', 'U', 'T', 'E', ' ', 'T', 'H', 'E', ' ', 'S', 'C', 'O', 'R', 'E'},
        {'S', 0xD0, 'S', 0xC8, 0xD3, '(', 0xDB, '(', '1', ')', 0xCA, '6', ')', ':', 0xB9, '7', '6', '8', ',',
         0xE2, '(', '7', '6', '9', ')'},
    };
    Bytes program;
    int address = kApplesoftLoadAddress;
    for (int number = 10;; number += 10) {
        const Bytes& contents = statements[(number / 10) % 5];
        const int next = address + 4 + static_cast<int>(contents.size()) + 1;
        if (next + 2 > kProgramEnd)
            break;
        program.insert(program.end(), {uint8_t(next), uint8_t(next >> 8), uint8_t(number), uint8_t(number >> 8)});
        program.insert(program.end(), contents.begin(), contents.end());
        program.push_back(0);
        address = next;
    }
    program.insert(program.end(), {0, 0});
    return program;
}

// Integer BASIC lines of the same kind, as many bytes.
Bytes LargestIntegerProgram()
{
    auto ch = [](char c) { return static_cast<uint8_t>(c | 0x80); };
    const Bytes statements[] = {
        {0x55, ch('I'), 0x56, ch('1'), 1, 0, 0x57, ch('1'), 100, 0, 0x03, 0x61, 0x28, ch('H'), ch('E'), ch('L'),
         ch('L'), ch('O'), ch(' '), ch('W'), ch('O'), ch('R'), ch('L'), ch('D'), 0x29, 0x03, 0x59, ch('I')},
        {0x66, ch('3'), 3, 0, 0x03, 0x67, ch('X'), 0x68, ch('Y'), 0x03, 0x69, ch('X'), 0x6A, ch('X'), 0x12,
         ch('1'), 10, 0, 0x6B, ch('Y')},
        {0x60, ch('A'), 0x19, ch('B'), 0x24, ch('1'), 0xB0, 0x04, 0x03, 0x5C, ch('3'), 0xB8, 0x0B},
        {0x5D, ch('C'), ch('O'), ch('M'), ch('P'), ch('U'), ch('T'), ch('E'), ch(' '), ch('S'), ch('C'), ch('O'),
         ch('R'), ch('E')},
        {ch('S'), 0x71, ch('S'), 0x12, 0x2F, 0x3F, ch('6'), 6, 0, 0x72, 0x03, 0x64, ch('7'), 0, 3, 0x65, 0x2E,
         0x3F, ch('7'), 1, 3, 0x72},
    };
    Bytes program;
    const size_t limit = kProgramEnd - kApplesoftLoadAddress;
    for (int number = 10;; number += 10) {
        const Bytes& contents = statements[(number / 10) % 5];
        const size_t length = 3 + contents.size() + 1;
        if (program.size() + length > limit)
            break;
        program.insert(program.end(), {uint8_t(length), uint8_t(number), uint8_t(number >> 8)});
        program.insert(program.end(), contents.begin(), contents.end());
        program.push_back(0x01);
    }
    return program;
}

template <typename Work>
double BestMicroseconds(Work work)
{
    double best = 1e30;
    for (int k = 0; k < kRepeats; ++k) {
        const auto begin = std::chrono::steady_clock::now();
        work();
        const auto end = std::chrono::steady_clock::now();
        best = std::min(best, std::chrono::duration<double, std::micro>(end - begin).count());
    }
    return best;
}

volatile size_t g_sink;  // keeps the work from being optimised away

// Makes the compiler assume `memory` is read, so that a copy into it is done in
// full and every time.
void Clobber(void* memory)
{
#if defined(__GNUC__)
    asm volatile("" : : "r"(memory) : "memory");
#else
    g_sink = g_sink + reinterpret_cast<uintptr_t>(memory);
#endif
}

void Report(const char* name, size_t bytes, double microseconds, double memcpyMicroseconds)
{
    std::printf("%-22s %8zu bytes %10.2f us %9.1f MB/s %7.1f x memcpy\n", name, bytes, microseconds,
                bytes / microseconds, microseconds / memcpyMicroseconds);
}

void Measure(const char* name, const Bytes& program, bool integer)
{
    std::vector<uint8_t> copy(program.size());
    const double copyTime = BestMicroseconds([&] {
        std::memcpy(copy.data(), program.data(), program.size());
        Clobber(copy.data());
    });
    const int bound = static_cast<int>(program.size());
    size_t listed = 0;
    const double listTime = BestMicroseconds([&] {
        std::string text;  // a fresh document text each time, as the caller has
        if (integer)
            ListIntegerBasic(0, bound, text, program, 0);
        else
            ListApplesoft(0, bound, text, program, kApplesoftLoadAddress);
        listed = text.size();
        g_sink = g_sink + listed;
    });
    const double dumpTime = BestMicroseconds([&] {
        std::string text;
        HexDump(0, bound, text, program, 0);
        g_sink = g_sink + text.size();
    });
    Report("memcpy", program.size(), copyTime, copyTime);
    Report(name, program.size(), listTime, copyTime);
    Report("hex dump", program.size(), dumpTime, copyTime);
    std::printf("%-22s %8zu characters of listing\n\n", "", listed);
}

// Typing a program's listing: the text, the Apple's rules.
void MeasureTokenizing(const char* name, const Bytes& program, bool integer)
{
    std::string listing;
    if (integer)
        ListIntegerBasic(0, static_cast<int>(program.size()), listing, program, 0);
    else
        ListApplesoft(0, static_cast<int>(program.size()), listing, program, kApplesoftLoadAddress);
    std::vector<uint8_t> copy(program.size());
    const double copyTime = BestMicroseconds([&] {
        std::memcpy(copy.data(), program.data(), program.size());
        Clobber(copy.data());
    });
    size_t tokenized = 0;
    const double tokenizeTime = BestMicroseconds([&] {
        tokenized = integer ? TokenizeIntegerBasic(listing).size() : TokenizeApplesoft(listing).size();
        g_sink = g_sink + tokenized;
    });
    Report("memcpy", program.size(), copyTime, copyTime);
    Report(name, tokenized, tokenizeTime, copyTime);
    std::printf("%-22s %8zu characters of text in\n\n", "", listing.size());
}

}  // namespace

int main()
{
    Measure("Applesoft listing", LargestApplesoftProgram(), false);
    MeasureTokenizing("Applesoft tokenizing", LargestApplesoftProgram(), false);
    Measure("Integer BASIC listing", LargestIntegerProgram(), true);
    MeasureTokenizing("Integer tokenizing", LargestIntegerProgram(), true);
    return 0;
}
