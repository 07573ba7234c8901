#include "support/front_taken.h"

#include <gtest/gtest.h>

std::vector<BoxSeen> RetryWhileFrontTaken(const std::function<std::vector<BoxSeen>()>& attempt)
{
    constexpr int kTries = 8;
    for (int tries = 1;; ++tries) {
        std::vector<BoxSeen> seen = attempt();
        if (seen.empty() || tries == kTries) return seen;
        for (const BoxSeen& box : seen) EXPECT_EQ(box.text, kNotInFront);
    }
}
