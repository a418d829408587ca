#pragma once
// How a keyboard sequence ended. A failure names the step the keyboard did not answer, and
// reads as one sentence in either interface language.

#include "model/Language.h"

#include <string>

namespace quenlar {

enum class LinkFailure {
    None,
    NoKeyboard,         // the interface is not open
    Disconnected,       // a report could not be sent or read: the keyboard went away
    NoAcknowledgement,  // a write step was not acknowledged in time
    NoBlockData,        // a block read got nothing in time
    BadAnswer,          // an answer whose checksum or command byte is wrong
};

struct LinkResult {
    LinkFailure failure = LinkFailure::None;
    std::string step;  // e.g. "WriteMacroSlot 7"

    bool ok() const { return failure == LinkFailure::None; }
    explicit operator bool() const { return ok(); }
    std::string message(Language language = Language::English) const;

    static LinkResult success() { return {}; }
    static LinkResult fail(LinkFailure failure, std::string step) { return {failure, std::move(step)}; }
};

} // namespace quenlar
