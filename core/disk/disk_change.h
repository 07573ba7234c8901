// What a change to a volume in memory ends in: Message::None when it was
// made, otherwise the message that says why the volume was left as it was,
// with the text and number it shows.
#pragma once
#include <string>

#include "core/messages/messages.h"

struct DiskChange {
    Message message = Message::None;
    std::string text;
    int value = 0;

    bool Made() const { return message == Message::None; }
};
