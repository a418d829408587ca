#pragma once
// Whole-file reads and crash-safe whole-file writes. A write goes to a temporary file in the
// same folder, is flushed, and is renamed over the old file, so a crash or a full disk never
// leaves a half-written keymap.bin, macro library or profile.

#include "model/Result.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace quenlar {

// nullopt when the file cannot be opened or read.
std::optional<std::vector<uint8_t>> readWholeFile(const std::filesystem::path &path);

Result writeFileAtomically(const std::filesystem::path &path, std::span<const uint8_t> bytes);
// The same, running `beforeRename` once the new content is safely on disk and before it replaces
// the old file (tests stop the writer there).
Result writeFileAtomically(const std::filesystem::path &path, std::span<const uint8_t> bytes,
                           const std::function<void()> &beforeRename);

} // namespace quenlar
