#pragma once
// The udev rule that lets the user at the computer's seat open the keyboard's hidraw nodes.
// It is written from the device table (InterfaceMatching.h), one line per product id, and tags
// the nodes "uaccess" so that logind gives the logged-in user access; no mode is set, so the
// nodes never become world-writable. The number sorts it before 73-seat-late.rules, which
// turns the tag into access rights.

#include <string>
#include <vector>

namespace quenlar::ctl {

inline constexpr char kUdevRuleFileName[] = "60-quenlar-keyboard.rules";

std::string udevRuleText();

// Where an installed rule is looked for: the system folders, and the rules folder of the
// install prefix the program runs from (programFolder is PREFIX/lib/quenlar/).
std::vector<std::string> udevRuleLocations(const std::string &programFolder);

} // namespace quenlar::ctl
