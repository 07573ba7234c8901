// A single replacement of the editor's selection undoes as one step, so the
// whole span from the first range to the last is replaced at once: its rich
// text is copied into a hidden editor of the same class, the ranges are
// replaced there, and the result is streamed back over the span. A stream
// brings every line break back as CR LF, so a span with lone ones (a
// listing from a disk image ends its lines with CR alone) goes in as plain
// text instead, its line ends as they were.
#include "editing/range_replace.h"

#include <string>

#include "core/text/line_ends.h"

#include "shell/editor_text.h"
#include "shell/rich_text_copy.h"

namespace {

void Select(HWND editor, size_t from, size_t to)
{
    CHARRANGE range = {static_cast<LONG>(from), static_cast<LONG>(to)};
    SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

// The span's plain text with every edit in: what is left when no scratch
// editor can be made.
std::string PlainReplacedSpan(HWND editor, std::span<const TextEdit> edits)
{
    const size_t start = edits.front().at;
    const std::string span =
        EditorTextRange(editor, static_cast<LONG>(start), static_cast<LONG>(edits.back().end));
    std::string replaced;
    size_t at = start;
    for (const TextEdit& edit : edits) {
        replaced.append(span, at - start, edit.at - at);
        replaced += edit.text;
        at = edit.end;
    }
    return replaced;
}

// The span's text with every edit in, as rich text; empty when no scratch
// editor could be made.
std::string ReplacedSpan(HWND editor, std::span<const TextEdit> edits)
{
    const size_t start = edits.front().at, end = edits.back().end;
    if (!OnlyCrLfLineEnds(EditorTextRange(editor, static_cast<LONG>(start), static_cast<LONG>(end)))) return {};
    HWND scratch = CreateScratchEditor();
    if (!scratch) return {};
    SendMessageA(scratch, EM_SETUNDOLIMIT, 0, 0);  // thrown away: nothing to undo there
    ReplaceSelectionWithRtf(scratch, SelectionAsRtf(editor, {static_cast<LONG>(start), static_cast<LONG>(end)}));
    // Back to front, so the positions still ahead keep their places.
    for (auto edit = edits.rbegin(); edit != edits.rend(); ++edit) {
        Select(scratch, edit->at - start, edit->end - start);
        SendMessageA(scratch, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(edit->text.c_str()));
    }
    GETTEXTLENGTHEX length = {GTL_NUMCHARS | GTL_PRECISE, CP_ACP};
    LONG replacedEnd = static_cast<LONG>(SendMessageA(scratch, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0));
    std::string rtf = SelectionAsRtf(scratch, {0, replacedEnd});
    DestroyWindow(scratch);
    return rtf;
}

}  // namespace

bool ReplaceRanges(HWND editor, std::span<const TextEdit> edits)
{
    if (edits.empty()) return true;
    std::string rtf = edits.size() > 1 ? ReplacedSpan(editor, edits) : std::string();
    if (!rtf.empty()) {
        Select(editor, edits.front().at, edits.back().end);
        ReplaceSelectionWithRtf(editor, std::move(rtf));
        return true;
    }
    ReplaceRangesPlainly(editor, edits);
    return edits.size() == 1;
}

void ReplaceRangesPlainly(HWND editor, std::span<const TextEdit> edits)
{
    if (edits.empty()) return;
    std::string plain = edits.size() > 1 ? PlainReplacedSpan(editor, edits) : edits.front().text;
    Select(editor, edits.front().at, edits.back().end);
    SendMessageA(editor, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(plain.c_str()));
}

void ReplaceRanges(HWND editor, const std::vector<CHARRANGE>& ranges, const char* text)
{
    std::vector<TextEdit> edits;
    edits.reserve(ranges.size());
    for (const CHARRANGE& range : ranges)
        edits.push_back({static_cast<size_t>(range.cpMin), static_cast<size_t>(range.cpMax), text});
    ReplaceRanges(editor, edits);
}
