// Times what a user feels in the Open command under Wine: ten Applesoft
// programs opened at once from a 32 MB ProDOS hard-disk image, against the
// same ten listings opened as Windows files with Alt (coloured as Applesoft
// too) and without (plain text, which shows what the colouring costs), each
// until the documents show and take keys; the colouring that goes on in
// idle time after that is colour_bench's.
// Prints figures; judges nothing.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/startup.h"
#include "app/windows_files.h"
#include "core/basic/applesoft_tokens.h"
#include "core/disk/browser_names.h"
#include "core/disk/file_type_codes.h"
#include "core/disk/image.h"
#include "core/disk/open_choice.h"
#include "disk_browser/open_from_image.h"
#include "shell/app.h"
#include "shell/documents.h"
#include "tests/core/disk/image_builder.h"
#include "tools/bench/win_bench.h"

namespace {

constexpr int kPrograms = 10;
constexpr int kFilesOnVolume = 400;
constexpr int kImageBlocks = 65535;  // 32 MB

// A tokenized program of `lines` lines: 10 HOME : PRINT "HELLO";X : GOTO 10 ...
std::vector<uint8_t> Program(int lines)
{
    std::vector<uint8_t> bytes;
    int address = kApplesoftLoadAddress;
    for (int i = 1; i <= lines; ++i) {
        const uint8_t body[] = {0x97, 0x3A, 0xBA, 0x22, 0x48, 0x45, 0x4C, 0x4C, 0x4F, 0x22, 0x3B, 0x58, 0x3A, 0xAB, 0x31, 0x30};
        int next = address + 4 + static_cast<int>(sizeof body) + 1;
        bytes.insert(bytes.end(), {static_cast<uint8_t>(next & 0xFF), static_cast<uint8_t>(next >> 8),
                                   static_cast<uint8_t>((i * 10) & 0xFF), static_cast<uint8_t>((i * 10) >> 8)});
        bytes.insert(bytes.end(), std::begin(body), std::end(body));
        bytes.push_back(0);
        address = next;
    }
    bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
}

void CloseAll(HWND frame)
{
    for (HWND child = GetWindow(g_app.mdiClient, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (HWND editor = EditorOf(child)) SendMessageA(editor, EM_SETMODIFY, FALSE, 0);
    SendMessageA(frame, WM_COMMAND, 86, 0);  // Close All
    Pump();
}

bool NothingHeld(int) { return false; }
bool AltHeld(int key) { return key == VK_MENU; }

}  // namespace

int main()
{
    const std::string folder = EnterBenchFolder("tavo-open-bench");

    fixture::ProdosBuilder builder(kImageBlocks, "HARD");
    std::vector<EntryRef> programs;
    const std::vector<uint8_t> program = Program(200);
    for (int i = 0; i < kFilesOnVolume; ++i) {
        EntryRef ref = builder.AddFile(0, "PROG" + std::to_string(i), program, {.fileType = kProdosApplesoftType, .auxType = kApplesoftLoadAddress});
        if (i < kPrograms) programs.push_back(ref);
    }
    std::string image = folder + "\\HARD.HDV";
    {
        std::FILE* out = std::fopen(image.c_str(), "wb");
        std::fwrite(builder.BlockOrder().data(), 1, builder.BlockOrder().size(), out);
        std::fclose(out);
    }
    // The same listings as Windows files.
    std::string names;
    FileEntry entry;
    for (int i = 0; i < kPrograms; ++i) {
        std::string text = OpenImageEntry(image, LayoutProdos, programs[static_cast<size_t>(i)], false, entry).text;
        std::string name = "PROG" + std::to_string(i) + ".BAS";
        std::FILE* out = std::fopen((folder + "\\" + name).c_str(), "wb");
        std::fwrite(text.data(), 1, text.size(), out);
        std::fclose(out);
        names += name;
        names += '\0';
    }

    HWND frame = StartTavo();
    if (!frame) return 1;
    g_browser.imagePath = image;
    g_browser.imageTitle = "HARD.HDV";
    g_browser.extensionIndex = kExtensionHdv;
    g_browser.layout = LayoutProdos;
    g_browser.currentPrefix = "/HARD/";
    for (int i = 0; i < kPrograms; ++i) g_documents.browserSelection[static_cast<size_t>(kPrograms - i)] = programs[static_cast<size_t>(i)];

    std::string buffer = folder + '\0';
    size_t offset = buffer.size();
    buffer += names + '\0';
    // By turns, so that load on the machine falls on each kind of open alike.
    constexpr int kRounds = 5;
    std::vector<double> fromImage, coloured, plain;
    auto timed = [&](auto open, std::vector<double>& into) {
        double start = Now();
        open();
        PumpAllButTimers();
        into.push_back(Now() - start);
        CloseAll(frame);
    };
    for (int round = 0; round < kRounds; ++round) {
        timed([&] { OpenFromImage(frame, kPrograms, NothingHeld); }, fromImage);
        timed([&] { OpenChosenFiles(frame, buffer.data(), buffer.size(), offset, AltHeld); }, coloured);
        timed([&] { OpenChosenFiles(frame, buffer.data(), buffer.size(), offset, NothingHeld); }, plain);
        std::printf("open %d programs of 200 lines: from a 32 MB image %.1f ms, as Windows files coloured %.1f ms,"
                    " uncoloured %.1f ms (ratio %.2f)\n",
                    kPrograms, fromImage.back(), coloured.back(), plain.back(), coloured.back() / plain.back());
    }
    auto median = [](std::vector<double> values) {
        std::sort(values.begin(), values.end());
        return values[values.size() / 2];
    };
    std::printf("medians of %d rounds: from the image %.1f ms, coloured %.1f ms, uncoloured %.1f ms, ratio %.2f\n",
                kRounds, median(fromImage), median(coloured), median(plain), median(coloured) / median(plain));

    DeleteFileA(image.c_str());
    for (int i = 0; i < kPrograms; ++i) DeleteFileA((folder + "\\PROG" + std::to_string(i) + ".BAS").c_str());
    StopTavo(frame, folder);
    return 0;
}
