// Typing text into the emulator: the text goes on the clipboard, the
// emulator comes to the front and gets Shift+Insert, and the user's own
// clipboard text comes back once the emulator has had time to take the paste.
#pragma once
#include <string_view>

enum class AfterPaste {
    FrameToFront,      // short commands: the user goes on editing
    StayWithEmulator,  // Run and Inject: the user watches the emulator
};

// Types `text`, which carries its own carriage returns. False, after the
// message that says why, when nothing was typed: no emulator (the clipboard
// is then untouched) or an emulator that would not come to the front.
bool InjectText(std::string_view text, AfterPaste after = AfterPaste::FrameToFront);
