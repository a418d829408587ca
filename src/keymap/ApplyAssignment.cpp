#include "keymap/ApplyAssignment.h"

#include "keymap/BasicFunction.h"
#include "keymap/KeymapFile.h"
#include "model/KeyTable.h"

#include <algorithm>
#include <cassert>

namespace quenlar {

namespace {

constexpr uint8_t kMacroKind = 4;
constexpr uint8_t kHostActionKind = 10;
// What keyData holds for the four host actions.
constexpr std::array<uint8_t, 4> kHostActionKeyData{3, 0, 0x23, 0x02};

// A single key's action. The keyboard's media usages are consumer controls, not keyboard
// usages: 0x83 stands for the media player (consumer 0x0183), 0xCD, 0xE9 and 0xEA for
// play/pause and volume up and down.
KeyAction singleKeyAction(uint8_t usage) {
    KeyAction action{0, 0, usage, 0};
    if (usage == 0x83) {
        action.kind = 3;
        action.p3 = 1;
    } else if (usage == 0xCD || usage == 0xE9 || usage == 0xEA) {
        action.kind = 3;
    }
    return action;
}

void setKeyData(HostKeyRecord &record, std::array<uint8_t, 4> bytes) {
    std::copy(bytes.begin(), bytes.end(), record.keyData.begin());
}

std::array<uint8_t, 4> bytesOf(KeyAction action) { return {action.kind, action.p1, action.p2, action.p3}; }

std::u16string_view untilTerminator(const std::u16string &text) {
    const std::u16string_view view(text);
    return view.substr(0, view.find(u'\0'));
}

} // namespace

Result checkAssignment(const AssignmentRequest &request, Language language) {
    const bool zh = language == Language::Chinese;
    if (isHostAction(static_cast<uint8_t>(request.category)) && request.keyCount != kRestoreDefaultKeyCount &&
        untilTerminator(request.actionPath).size() > static_cast<std::size_t>(kMaxActionPathLength))
        return Result::failure(zh ? "路径太长：最多可以有 255 个字符。\n"
                                  : "The path is too long: it can have at most 255 characters.\n");
    if (request.category == AssignmentCategory::Macro && request.keyCount != kRestoreDefaultKeyCount &&
        request.macroIndex >= kBindableMacroCount)
        return Result::failure(zh ? "键盘只能存储 32 个宏：只有前 32 个宏可以分配给按键。\n"
                                  : "The keyboard holds 32 macros: only the first 32 macros can be given to a key.\n");
    return Result::success();
}

Result applyAssignment(int key, AssignmentRequest &request, const AssignmentTarget &target,
                       const AssignmentEnvironment &environment) {
    assert(key >= 0 && key < kKeyCount);
    assert(request.keyCount == kRestoreDefaultKeyCount || (request.keyCount >= 0 && request.keyCount <= 3));
    assert(request.macroIndex >= -1);
    if (Result checked = checkAssignment(request, environment.language); !checked)
        return checked;

    const KeyTableEntry &entry = keyAt(key);
    const int slot = entry.matrixSlot();
    HostKeyRecord &record = target.records[key];
    KeyboardState &state = target.state;
    auto dev = [&](uint8_t vk) { return environment.names.usage(vk); };
    // The record's virtualKey after any load; taken from the table so that a record read from
    // a damaged or hand-made file cannot bind the key to another code.
    const uint8_t ownKey = entry.virtualKey;

    if (request.keyCount == kRestoreDefaultKeyCount) {
        record.clearAssignment();
        state.setKeyAction(slot, singleKeyAction(dev(ownKey)));
        state.setEnableBit(entry.enableBit, true);
        request.keyEnabled = true;
        return Result::success();
    }

    switch (request.category) {
    case AssignmentCategory::Single: {
        record.category = 0;
        record.keyData = request.capturedKeys;
        record.keyCount = static_cast<uint8_t>(request.keyCount);
        if (request.keyCount != 1)
            break;
        const uint8_t captured = request.capturedKeys[0];
        if (captured == ownKey) {
            record.clearAssignment();
            target.changed[key] = 0;
        } else {
            target.changed[key] = 1;
        }
        state.setKeyAction(slot, singleKeyAction(dev(captured)));
        break;
    }
    case AssignmentCategory::Combine:
        record.category = 1;
        record.keyData = request.capturedKeys;
        record.keyCount = static_cast<uint8_t>(request.keyCount);
        state.setKeyAction(slot, KeyAction{0, dev(request.capturedKeys[0]), dev(request.capturedKeys[1]),
                                           dev(request.capturedKeys[2])});
        if (request.keyCount > 1)
            target.changed[key] = 1;
        break;
    case AssignmentCategory::Macro: {
        const auto macro = static_cast<uint8_t>(request.macroIndex & 0xFF);
        record.category = 2;
        setKeyData(record, {kMacroKind, 1, macro, 0});
        if (request.macroIndex == -1)
            break;
        state.setKeyAction(slot, KeyAction{kMacroKind, 1, macro, 0});
        target.changed[key] = 1;
        assert(environment.packMacroSlots);
        environment.packMacroSlots(state);
        break;
    }
    case AssignmentCategory::Basic:
        record.category = 3;
        target.changed[key] = 1;
        if (const auto function = findBasicFunction(request.functionName, environment.language)) {
            state.setKeyAction(slot, function->action);
            setKeyData(record, bytesOf(function->action));
        }
        break;
    case AssignmentCategory::PlaySound:
    case AssignmentCategory::Startup:
    case AssignmentCategory::OpenFile:
    case AssignmentCategory::OpenFolder:
        target.changed[key] = 1;
        record.category = static_cast<uint8_t>(request.category);
        state.setKeyAction(slot, KeyAction{kHostActionKind, 0, ownKey, 0});
        record.virtualKey = ownKey;
        setKeyData(record, kHostActionKeyData);
        record.setActionPath(untilTerminator(request.actionPath));
        break;
    case AssignmentCategory::RestoreKey:
        record.clearAssignment();
        state.setKeyAction(slot, singleKeyAction(dev(ownKey)));
        break;
    case AssignmentCategory::None:
        break;
    }
    return Result::success();
}

Result applyConfirmedAssignment(int key, AssignmentRequest &request, const AssignmentTarget &target,
                                const AssignmentEnvironment &environment, const std::filesystem::path &keymapFile) {
    if (Result checked = checkAssignment(request, environment.language); !checked)
        return checked;
    target.changed[key] = 0;
    if (Result applied = applyAssignment(key, request, target, environment); !applied)
        return applied;
    const uint16_t bit = keyAt(key).enableBit;
    if (request.keyEnabled) {
        target.state.setEnableBit(bit, true);
    } else {
        target.changed[key] = 1;
        target.state.setEnableBit(bit, false);
    }
    return saveKeymapFile(keymapFile, target.state, target.records, environment.language);
}

} // namespace quenlar
