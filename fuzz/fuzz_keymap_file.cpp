// keymap.bin and profile files (the same layout) of any length and content.
#include "keymap/KeyChanged.h"
#include "keymap/KeymapFile.h"

#include <cstdlib>

using namespace quenlar;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    KeyboardState state;
    HostKeyRecords records{};
    const std::span<const uint8_t> bytes(data, size);
    takeKeymapFileBytes(bytes, KeymapLoadMode::Full, state, records);
    takeKeymapFileBytes(bytes, KeymapLoadMode::RecordsOnly, state, records);
    KeyChangedFlags flags{};
    recomputeKeyChangedFlags(flags, state, records);
    // What loads saves back to the same bytes, as far as the file went.
    const auto saved = keymapFileBytes(state, records);
    if (size >= saved.size() && !std::equal(saved.begin(), saved.end(), data))
        std::abort();
    return 0;
}
