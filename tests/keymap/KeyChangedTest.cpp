#include "keymap/KeyChanged.h"

#include "model/KeyTable.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace quenlar;

namespace {

struct Case {
    const char *name;
    int key;
    std::function<void(KeyboardState &, HostKeyRecord &)> change;
    bool changed;
};

void setAction(KeyboardState &state, int key, KeyAction action) { state.setKeyAction(keyAt(key).matrixSlot(), action); }

} // namespace

TEST(KeyChanged, TestComparesActionRecordAndEnableBit) {
    constexpr int kEsc = 0, kS1 = 108, kS2 = 109;
    const std::vector<Case> cases = {
        {"factory key", kEsc, [](KeyboardState &, HostKeyRecord &) {}, false},
        {"other usage", kEsc, [](KeyboardState &s, HostKeyRecord &) { setAction(s, kEsc, {0, 0, 0x3A, 0}); }, true},
        {"same usage, other kind and modifiers", kEsc,
         [](KeyboardState &s, HostKeyRecord &) { setAction(s, kEsc, {3, 0xE0, 41, 7}); }, false},
        {"record with a category", kEsc, [](KeyboardState &, HostKeyRecord &r) { r.category = 3; }, true},
        {"one captured key that is not its own", kEsc,
         [](KeyboardState &, HostKeyRecord &r) {
             r.keyCount = 1;
             r.keyData[0] = 0x70;
         },
         true},
        {"one captured key that is its own", kEsc,
         [](KeyboardState &, HostKeyRecord &r) {
             r.keyCount = 1;
             r.keyData[0] = 27;
         },
         false},
        {"two captured keys are judged by the action", kEsc,
         [](KeyboardState &, HostKeyRecord &r) {
             r.keyCount = 2;
             r.keyData[0] = 0x70;
         },
         false},
        {"macro key holding its own macro", kS1, [](KeyboardState &s, HostKeyRecord &) { setAction(s, kS1, {4, 1, 0, 0}); },
         false},
        {"macro key holding another macro", kS2, [](KeyboardState &s, HostKeyRecord &) { setAction(s, kS2, {4, 1, 0, 0}); },
         true},
        {"ordinary key holding a macro", kEsc, [](KeyboardState &s, HostKeyRecord &) { setAction(s, kEsc, {4, 1, 0, 0}); },
         true},
        {"macro key with its own macro but a category", kS1,
         [](KeyboardState &s, HostKeyRecord &r) {
             setAction(s, kS1, {4, 1, 0, 0});
             r.category = 2;
         },
         false},
        {"disabled factory key", kEsc,
         [](KeyboardState &s, HostKeyRecord &) { s.setEnableBit(keyAt(kEsc).enableBit, false); }, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        KeyboardState state;
        state.keyMatrix = defaultKeyMatrix();
        state.keyEnableMask.fill(0xFF);
        auto records = std::make_unique<HostKeyRecords>();
        fillVirtualKeys(*records);
        c.change(state, (*records)[c.key]);
        EXPECT_EQ(keyCountsAsChanged(c.key, state, *records), c.changed);
    }
}

TEST(KeyChanged, RecomputeMarksEveryKeyButNeverFn) {
    KeyboardState state;
    state.keyMatrix = defaultKeyMatrix();
    state.keyEnableMask.fill(0xFF);
    auto records = std::make_unique<HostKeyRecords>();
    fillVirtualKeys(*records);
    KeyChangedFlags flags;
    flags.fill(1);

    recomputeKeyChangedFlags(flags, state, *records);
    for (int i = 0; i < kKeyCount; ++i)
        EXPECT_EQ(flags[i], 0) << "factory key " << i;

    state.keyEnableMask.fill(0);   // every key disabled, the Fn key too
    recomputeKeyChangedFlags(flags, state, *records);
    for (int i = 0; i < kKeyCount; ++i)
        EXPECT_EQ(flags[i], i == kFnKeyIndex ? 0 : 1) << "disabled key " << i;
    EXPECT_EQ(flags[kKeyCount], 1) << "entries past the table are left alone";
}
