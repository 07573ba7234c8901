// Times decoding a 140 KB floppy out of its WOZ bit stream (every track read
// through the latch, every sector found and decoded) and out of its .nib,
// next to reading the same volume from a .do, which needs no decoding: the
// floor. Each figure is the best of many rounds, the file read included.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "core/disk/containers/nibble_image.h"
#include "core/disk/containers/woz_image.h"
#include "core/disk/image.h"

namespace {

using Clock = std::chrono::steady_clock;

std::vector<uint8_t> ReadWhole(const std::string& path)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    std::vector<uint8_t> bytes(in ? static_cast<size_t>(in.tellg()) : 0);
    in.seekg(0);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

// The best time of `rounds` runs of `run`, in milliseconds.
template <typename Run>
double Best(int rounds, Run run)
{
    double best = 1e9;
    for (int i = 0; i < rounds; ++i) {
        auto start = Clock::now();
        run();
        best = std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return best;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string disks = std::string(argc > 1 ? argv[1] : TAVO_SHARED_DIR) + "/disks/";
    std::string woz = disks + "formats/dos33-bigfiles.woz", nib = disks + "formats/dos33-bigfiles.nib";
    std::string dsk = disks + "a2kit/dos33-bigfiles.do";
    if (ReadWhole(woz).empty() || ReadWhole(dsk).empty()) {
        std::printf("the shared images are missing under %s\n", disks.c_str());
        return 1;
    }
    constexpr int kRounds = 200;
    size_t sectors = 0;
    double floor = Best(kRounds, [&] {
        ImageFile image(dsk);
        SectorBuffer sector;
        for (int track = 0; track < 35; ++track)
            for (int s = 0; s < kSectorsPerTrack; ++s) sectors += ReadSectorFrom(image, sector, track, s);
    });
    double fileRead = Best(kRounds, [&] { sectors += ReadWhole(dsk).size(); });
    double fromWoz = Best(kRounds, [&] { sectors += DecodeWozImage(ReadWhole(woz)).bytes.size(); });
    double fromNib = Best(kRounds, [&] { sectors += DecodeNibbleImage(ReadWhole(nib)).bytes.size(); });
    std::printf(".do:  560 sectors read in %.3f ms (the floor); the file alone in %.3f ms\n", floor, fileRead);
    std::printf("WOZ:  35 tracks decoded into 560 sectors in %.3f ms, %.1f times the floor\n", fromWoz, fromWoz / floor);
    std::printf(".nib: 35 tracks decoded into 560 sectors in %.3f ms, %.1f times the floor\n", fromNib, fromNib / floor);
    return sectors == 0;
}
