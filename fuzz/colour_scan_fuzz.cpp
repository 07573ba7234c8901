// The colouring scanner on any text: every span lies inside the text and
// covers at least one character, whatever the bytes. The colours read back
// from rich text: never more than the text has, and those written come back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "core/colouring/colour_scanner.h"
#include "core/colouring/coloured_rtf.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<ColourSpan> spans;
    ScanApplesoftText(text, -1, static_cast<int>(size), spans);
    for (const ColourSpan& span : spans) {
        if (span.length < 1 || span.offset < 0 || static_cast<size_t>(span.offset) + span.length > size) std::abort();
    }
    // The typing pass: the same text as one line, the remark running to its end.
    spans.clear();
    const std::string_view line = text.substr(0, kCaretRangeChars);
    ScanApplesoftLine(line, static_cast<int>(line.size()), 0, spans);
    for (const ColourSpan& span : spans) {
        if (span.length < 1 || span.offset < 0 || static_cast<size_t>(span.offset) + span.length > line.size())
            std::abort();
    }
    if (ColoursShownInRtf(text, text, 0).size() > size) std::abort();
    std::vector<uint32_t> colours(size);
    for (size_t i = 0; i < size; ++i) colours[i] = data[i] % 4;
    const std::vector<uint32_t> shown = ColoursShownInRtf(ColouredRtf(text, colours, RtfFont{"F"}), text, 9);
    if (shown.size() != size) std::abort();
    for (size_t i = 0; i < size; ++i)
        if (text[i] != '\r' && text[i] != '\n' && shown[i] != colours[i]) std::abort();
    return 0;
}
