// A single replacement of the editor's selection undoes as one step, so the
// whole span from the first range to the last is replaced at once: its rich
// text is copied into a hidden editor of the same class, the ranges are
// replaced there, and the result is streamed back over the span.
#include "editing/range_replace.h"

#include <string>

#include "shell/editor_text.h"
#include "shell/rich_text_copy.h"

namespace {

void Select(HWND editor, CHARRANGE range) { SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range)); }

// The span's plain text with every range replaced: what is left when no
// scratch editor can be made.
std::string PlainReplacedSpan(HWND editor, const std::vector<CHARRANGE>& ranges, const char* text)
{
    const LONG start = ranges.front().cpMin;
    const std::string span = EditorTextRange(editor, start, ranges.back().cpMax);
    std::string replaced;
    LONG at = start;
    for (const CHARRANGE& range : ranges) {
        replaced.append(span, static_cast<size_t>(at - start), static_cast<size_t>(range.cpMin - at));
        replaced += text;
        at = range.cpMax;
    }
    return replaced;
}

// The span's text with every range replaced, as rich text; empty when no
// scratch editor could be made.
std::string ReplacedSpan(HWND editor, const std::vector<CHARRANGE>& ranges, const char* text)
{
    const LONG start = ranges.front().cpMin, end = ranges.back().cpMax;
    HWND scratch = CreateScratchEditor();
    if (!scratch) return {};
    ReplaceSelectionWithRtf(scratch, SelectionAsRtf(editor, {start, end}));
    // Back to front, so the positions still ahead keep their places.
    for (auto range = ranges.rbegin(); range != ranges.rend(); ++range) {
        Select(scratch, {range->cpMin - start, range->cpMax - start});
        SendMessageA(scratch, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text));
    }
    GETTEXTLENGTHEX length = {GTL_NUMCHARS | GTL_PRECISE, CP_ACP};
    LONG replacedEnd = static_cast<LONG>(SendMessageA(scratch, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0));
    std::string rtf = SelectionAsRtf(scratch, {0, replacedEnd});
    DestroyWindow(scratch);
    return rtf;
}

}  // namespace

void ReplaceRanges(HWND editor, const std::vector<CHARRANGE>& ranges, const char* text)
{
    if (ranges.empty()) return;
    const LONG start = ranges.front().cpMin, end = ranges.back().cpMax;
    std::string rtf = ranges.size() > 1 ? ReplacedSpan(editor, ranges, text) : std::string();
    if (!rtf.empty()) {
        Select(editor, {start, end});
        ReplaceSelectionWithRtf(editor, std::move(rtf));
        return;
    }
    std::string plain = ranges.size() > 1 ? PlainReplacedSpan(editor, ranges, text) : std::string(text);
    Select(editor, {start, end});
    SendMessageA(editor, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(plain.c_str()));
}
