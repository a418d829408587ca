#pragma once
// The text form of a macro that `macro export` writes and `macro import` reads: the macro
// manager's event lines, one per line, exactly as the manager shows them ("A dn", "120 ms",
// "A up"). A delay line belongs to the key line after it.
//
// Where the line alone does not name one key (several keys share the name "- ", some keys have
// no name at all) the key line carries its virtual-key code after it: "- dn  #vk=189". Anything
// else after "#", and lines that are empty or start with "#", are comments.

#include "macro/MacroEditBuffer.h"
#include "model/KeyNameTable.h"

#include <optional>
#include <string>
#include <vector>

namespace quenlar::ctl {

// The text of one macro's streams.
std::string macroText(const MacroEditBuffer &buffer, const KeyNameTable &names);

struct MacroTextEvent {
    uint8_t vk = 0;
    bool release = false;
    int delayMs = 0;  // 0 = no delay line before it
};

// The events of a text; nullopt with `error` ("line N: ...") at the first line that is not an
// event line or names a key the keyboard has no code for.
std::optional<std::vector<MacroTextEvent>> parseMacroText(const std::string &text, const KeyNameTable &names,
                                                          std::string &error);

} // namespace quenlar::ctl
