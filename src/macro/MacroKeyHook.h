#pragma once
// What the macro manager needs from the key capture: while it is installed, every key press and
// release anywhere in the program reaches MacroEditSession::onHookKey as a virtual-key code
// 0..255 with a release flag.

#include <chrono>
#include <functional>

namespace quenlar {

class MacroKeyHook {
public:
    virtual ~MacroKeyHook() = default;
    // Starts delivering keys; false when the capture cannot be installed.
    virtual bool install() = 0;
    virtual void remove() = 0;
};

// Where recording reads the time of each key transition: std::chrono::steady_clock::now in the
// program, a hand-driven clock in tests.
using MacroClock = std::function<std::chrono::steady_clock::time_point()>;

inline MacroClock steadyMacroClock() {
    return [] { return std::chrono::steady_clock::now(); };
}

} // namespace quenlar
