// What a change to a volume in memory ends in: Message::None when it was
// made, otherwise the message that says why the volume was left as it was,
// with the text and number it shows.
#pragma once
#include <string>
#include <utility>

#include "core/messages/messages.h"

struct DiskChange {
    DiskChange() = default;
    DiskChange(Message refusal, std::string refusalText = {}, int refusalValue = 0)
        : message(refusal), text(std::move(refusalText)), value(refusalValue)
    {
    }

    Message message = Message::None;
    std::string text;
    int value = 0;

    bool Made() const { return message == Message::None; }
};
