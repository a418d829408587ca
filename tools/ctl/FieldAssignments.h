#pragma once
// The settings `quenlar-ctl set` changes, by their field names, with the values each accepts.

#include "model/KeyboardState.h"

#include <optional>
#include <string>
#include <vector>

namespace quenlar::ctl {

struct FieldAssignment {
    std::string field;
    uint8_t value;
};

// Checks every "FIELD=VALUE" before anything is done; nullopt with `error` at the first bad one.
std::optional<std::vector<FieldAssignment>> parseFieldAssignments(const std::vector<std::string> &args,
                                                                  std::string &error);
void applyFieldAssignments(const std::vector<FieldAssignment> &assignments, KeyboardState &state);

} // namespace quenlar::ctl
