// Pieces of a text replaced by others, and where a position of the text
// lands once they are in. Portable: renumbering makes them, the editor
// and its colour record follow them.
#pragma once
#include <cstddef>
#include <span>
#include <string>

struct TextEdit {
    size_t at;   // in the text before any edit
    size_t end;  // the replaced piece ends here
    std::string text;
};

// Where `position` of the text lands once `edits` (in text order, not
// overlapping) are in: after an edit's new text when it was at or after the
// replaced piece's end, at most as far into it as it was into the old piece.
inline size_t PositionAfterEdits(size_t position, std::span<const TextEdit> edits)
{
    long long shift = 0;
    for (const TextEdit& edit : edits) {
        if (edit.at >= position) break;
        if (edit.end > position) {
            const size_t into = position - edit.at;
            return static_cast<size_t>(static_cast<long long>(edit.at) + shift) +
                   (into < edit.text.size() ? into : edit.text.size());
        }
        shift += static_cast<long long>(edit.text.size()) - static_cast<long long>(edit.end - edit.at);
    }
    return static_cast<size_t>(static_cast<long long>(position) + shift);
}
