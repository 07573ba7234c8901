// An editor held still while a program works on it: selection hidden and
// put back afterwards, no notifications, no redraw, no undo step, the
// modified flag untouched. At the end only what may have changed is
// repainted: the band of lines from `from` to `to`, or with no range the
// whole editor.
#pragma once
#include <windows.h>
#include <richedit.h>

#include "shell/undo_pause.h"

class QuietEditor {
public:
    explicit QuietEditor(HWND editor, LONG from = -1, LONG to = -1, bool holdRedraw = true);
    ~QuietEditor();
    QuietEditor(const QuietEditor&) = delete;
    QuietEditor& operator=(const QuietEditor&) = delete;

private:
    LONG Top(LONG position) const;
    RECT Band() const;

    HWND editor_;
    LRESULT events_;
    bool modified_;
    bool visible_;  // redraw held off while the pass runs
    LONG from_, to_;
    UndoPause undo_;
    CHARRANGE selection_ = {};
    POINT scroll_ = {};
};
