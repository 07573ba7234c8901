// A window of a test running beside this one may hold the front when TAVO
// brings the emulator there: TAVO then shows message 35 and types nothing, and
// the test tries again.
#pragma once
#include <functional>
#include <vector>

#include "support/box_watcher.h"

inline constexpr char kNotInFront[] = "The emulator window could not be brought to the front!";

// Makes `attempt` again while boxes nobody expected came during it (it
// returns them; each must be message 35), eight tries in all; the last try's
// boxes.
std::vector<BoxSeen> RetryWhileFrontTaken(const std::function<std::vector<BoxSeen>()>& attempt);
