#include "device/BlockTransfers.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace quenlar {

namespace {

struct BlockPacing {
    int afterEachBlock;   // -1 = none
    int afterFirstTwo;    // -1 = none; a pause after blocks 0 and 1 only
    int afterLastBlock;   // -1 = none
};

// Sends the announcing command, then the section in 64-byte blocks (the last one zero-padded).
LinkResult writeSection(ConfigInterface &config, const CommandReport &command, std::span<const uint8_t> section,
                        int blocks, BlockPacing pacing, const std::string &step) {
    if (auto r = config.set(command, step); !r)
        return r;
    for (int i = 0; i < blocks; ++i) {
        DataReport report{};
        const std::size_t from = static_cast<std::size_t>(i) * kBlockSize;
        const std::size_t count = std::min(kBlockSize, section.size() - from);
        std::memcpy(report.data() + 1, section.data() + from, count);
        if (auto r = config.writeBlock(report, step); !r)
            return r;
        if (pacing.afterFirstTwo >= 0 && i < 2)
            config.pause(pacing.afterFirstTwo);
        config.pause(pacing.afterEachBlock);
    }
    config.pause(pacing.afterLastBlock);
    return LinkResult::success();
}

// Sends the announcing command, reads and ignores its answer, then reads the blocks. The section
// is only overwritten when every block arrived.
LinkResult readSection(ConfigInterface &config, const CommandReport &command, std::span<uint8_t> section, int blocks,
                       int afterEachBlock, const std::string &step, DataReport *lastReport = nullptr) {
    CommandReport answer{};
    if (auto r = config.query(command, answer, step, ConfigInterface::Answer::Ignored); !r)
        return r;
    std::vector<uint8_t> received(static_cast<std::size_t>(blocks) * kBlockSize);
    DataReport report{};
    for (int i = 0; i < blocks; ++i) {
        if (auto r = config.readBlock(report, step); !r)
            return r;
        std::memcpy(received.data() + static_cast<std::size_t>(i) * kBlockSize, report.data() + 1, kBlockSize);
        config.pause(afterEachBlock);
    }
    std::memcpy(section.data(), received.data(), section.size());
    if (lastReport)
        *lastReport = report;
    return LinkResult::success();
}

} // namespace

LinkResult writeKeyMatrix(ConfigInterface &config, const KeyboardState &state) {
    return writeSection(config, writeKeyMatrixReport(), state.keyMatrix, 8, {-1, -1, 60},
                        stepName(Command::WriteKeyMatrix));
}

LinkResult readKeyMatrix(ConfigInterface &config, KeyboardState &state) {
    return readSection(config, readKeyMatrixReport(), state.keyMatrix, 8, -1, stepName(Command::ReadKeyMatrix));
}

LinkResult writeKeyEnableMask(ConfigInterface &config, const KeyboardState &state) {
    return writeSection(config, writeKeyEnableMaskReport(), state.keyEnableMask, 1, {-1, -1, -1},
                        stepName(Command::WriteKeyEnableMask));
}

LinkResult readKeyEnableMask(ConfigInterface &config, KeyboardState &state) {
    DataReport report{};
    auto r = readSection(config, readKeyEnableMaskReport(), state.keyEnableMask, 1, -1,
                         stepName(Command::ReadKeyEnableMask), &report);
    if (r)
        state.winLock = (report[2] & 1) ? 0 : 1;
    return r;
}

LinkResult writeMacroSlot(ConfigInterface &config, const KeyboardState &state, int slot) {
    return writeSection(config, writeMacroSlotReport(slot), state.macroSlot(slot), 3, {-1, 0, -1},
                        stepName(Command::WriteMacroSlot, slot));
}

LinkResult readMacroSlot(ConfigInterface &config, KeyboardState &state, int slot) {
    return readSection(config, readMacroSlotReport(slot), state.macroSlot(slot), 3, -1,
                       stepName(Command::ReadMacroSlot, slot));
}

LinkResult writeCustomLayer(ConfigInterface &config, const KeyboardState &state, int layer) {
    return writeSection(config, writeCustomLayerReport(layer), state.customLayer(layer), 8, {5, -1, -1},
                        stepName(Command::WriteCustomLayer, layer));
}

LinkResult readCustomLayer(ConfigInterface &config, KeyboardState &state, int layer) {
    return readSection(config, readCustomLayerReport(layer), state.customLayer(layer), 8, 5,
                       stepName(Command::ReadCustomLayer, layer));
}

} // namespace quenlar
