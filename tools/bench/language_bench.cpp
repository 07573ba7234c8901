// Speed of the language tools on a 1,500-line program: renumbering through
// the core and through tavo-image's command (the file read and the text
// written), the help text of the keyword under the caret, the completion
// candidates, and the lines that jump to a line. Prints the best of several
// runs in milliseconds.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/basic/completion.h"
#include "core/basic/keyword_help.h"
#include "core/basic/line_references.h"
#include "core/basic/renumber.h"
#include "tools/tavo-image/renumbering.h"

namespace {

constexpr int kLines = 1500;
constexpr int kRepeats = 30;

volatile size_t g_sink;  // keeps the work from being optimised away

// Lines of typical make-up, a jump in most of them.
std::string Program(BasicLanguage language)
{
    const bool applesoft = language == BasicLanguage::Applesoft;
    std::string text;
    for (int k = 0; k < kLines; ++k) {
        const int number = 10 * (k + 1);
        const int target = 10 * ((k * 7) % kLines + 1);
        text += std::to_string(number);
        switch (k % 5) {
        case 0: text += " FOR I = 1 TO 100: PRINT \"HELLO WORLD\";A$(I): NEXT I"; break;
        case 1: text += " IF A > B THEN " + std::to_string(target); break;
        case 2: text += " GOSUB " + std::to_string(target) + ": SCORE = SCORE + 10: PLAYER = PLAYER + 1"; break;
        case 3: text += applesoft ? " ON X GOTO " + std::to_string(target) + ",10,20" : " GOTO X * 10"; break;
        case 4: text += " REM COMPUTE THE SCORE: GOTO " + std::to_string(target); break;
        }
        text += applesoft ? "\r" : "\n";
    }
    return text;
}

template <typename Work>
double BestMilliseconds(Work work)
{
    double best = 1e30;
    for (int k = 0; k < kRepeats; ++k) {
        const auto begin = std::chrono::steady_clock::now();
        work();
        const auto end = std::chrono::steady_clock::now();
        best = std::min(best, std::chrono::duration<double, std::milli>(end - begin).count());
    }
    return best;
}

void Report(const char* what, double milliseconds) { std::printf("%-48s %9.3f ms\n", what, milliseconds); }

void Measure(BasicLanguage language, const char* name)
{
    const std::string text = Program(language);
    std::printf("%s, %d lines, %zu characters\n", name, kLines, text.size());
    const RenumberRequest request{0, LONG_MAX, 100, 5};
    Report("renumber (core)", BestMilliseconds([&] { g_sink = g_sink + RenumberProgram(text, language, request).text.size(); }));

    const std::string path = (std::filesystem::temp_directory_path() / "language_bench.bas").string();
    std::ofstream(path, std::ios::binary).write(text.data(), static_cast<std::streamsize>(text.size()));
    std::vector<std::string> args = {"--start", "100", "--step", "5", path};
    if (language == BasicLanguage::Integer) args.insert(args.begin(), "--integer");
    std::FILE* nowhere = std::fopen("/dev/null", "w");
    Report("renumber (tavo-image renumber, file to stdout)",
           BestMilliseconds([&] { g_sink = g_sink + RunRenumberCommand(args, nowhere, nowhere); }));
    std::fclose(nowhere);
    std::filesystem::remove(path);

    const std::string line = "2040 GOSUB 1230: SCORE = SCORE + 10: PLAYER = PLAYER + 1";
    Report("keyword under the caret and its help text", BestMilliseconds([&] {
               const KeywordAtCaret found = KeywordUnderCaret(line, 7, language);
               g_sink = g_sink + (found.help != nullptr ? KeywordHelpText(*found.help).size() : 0);
           }));
    const std::string typing = text + "15010 PL";
    Report("completion of a name", BestMilliseconds([&] {
               g_sink = g_sink + CompleteAt(typing, typing.size(), language).candidates.size();
           }));
    const std::string jumping = text + "15010 GOTO 1";
    Report("completion of a line number", BestMilliseconds([&] {
               g_sink = g_sink + CompleteAt(jumping, jumping.size(), language).candidates.size();
           }));
    Report("lines that jump to a line", BestMilliseconds([&] { g_sink = g_sink + LinesThatJumpTo(text, 70, language).size(); }));
    std::printf("\n");
}

}  // namespace

int main()
{
    Measure(BasicLanguage::Applesoft, "Applesoft");
    Measure(BasicLanguage::Integer, "Integer BASIC");
    return 0;
}
