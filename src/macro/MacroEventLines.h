#pragma once
// The lines of the macro manager's event list for one macro: every event shows as one key line
// ("<key name> dn" or "<key name> up"), preceded by a delay line ("<n> ms") when the event waits.
// The list is always built from the edit buffer, so line i and the event it stands for never
// drift apart.

#include "macro/MacroEditBuffer.h"
#include "model/KeyNameTable.h"

#include <string>
#include <string_view>
#include <vector>

namespace quenlar {

struct EventLine {
    enum class Kind { Delay, Key };
    Kind kind = Kind::Key;
    std::string text;
    int eventOffset = 0; // byte offset of the event the line belongs to

    bool isDelay() const { return kind == Kind::Delay; }
    friend bool operator==(const EventLine &, const EventLine &) = default;
};

std::string delayLineText(int ms);
std::string keyLineText(std::string_view keyName, bool release);

std::vector<EventLine> buildEventLines(const MacroEditBuffer &buffer, const KeyNameTable &keyNames);

} // namespace quenlar
