#include "keymap/ApplyAssignment.h"

#include "keymap/KeymapFile.h"
#include "keymap/TempFolder.h"
#include "model/FileIo.h"
#include "model/KeyTable.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace quenlar;
using namespace quenlar::testing;

namespace {

constexpr int kEsc = 0;     // virtual key 27, usage 41
constexpr int kF1 = 1;      // virtual key 0x70, usage 0x3A
constexpr int kKeyA = 64;   // virtual key 'A', usage 4

constexpr uint8_t kVkF1 = 0x70, kVkLeftControl = 162, kVkC = 'C', kVkMediaPlayer = 181, kVkPlayPause = 179,
                  kVkVolumeUp = 175;

// The keyboard as it leaves the factory, with the records of a fresh keymap.bin.
class AssignmentTest : public ::testing::Test {
protected:
    AssignmentTest() {
        state.keyMatrix = defaultKeyMatrix();
        state.keyEnableMask.fill(0xFF);
        fillVirtualKeys(*records);
    }

    AssignmentTarget target() { return {state, *records, changed}; }
    AssignmentEnvironment environment(Language language = Language::English) {
        return {names, language, [this](KeyboardState &) { ++packs; }};
    }
    KeyAction actionOf(int key) const { return state.keyAction(keyAt(key).matrixSlot()); }
    std::array<uint8_t, 4> keyDataHead(int key) const {
        const auto &d = records->at(key).keyData;
        return {d[0], d[1], d[2], d[3]};
    }

    KeyboardState state;
    std::unique_ptr<HostKeyRecords> records = std::make_unique<HostKeyRecords>();
    KeyChangedFlags changed{};
    KeyNameTable names;
    int packs = 0;
};

AssignmentRequest request(AssignmentCategory category, std::initializer_list<uint8_t> keys = {}) {
    AssignmentRequest r;
    r.category = category;
    int n = 0;
    for (uint8_t k : keys)
        r.capturedKeys[n++] = k;
    r.keyCount = n;
    return r;
}

AssignmentRequest withFunction(std::string name) {
    auto r = request(AssignmentCategory::Basic);
    r.functionName = std::move(name);
    return r;
}

AssignmentRequest withMacro(int macro) {
    auto r = request(AssignmentCategory::Macro);
    r.macroIndex = macro;
    return r;
}

AssignmentRequest withPath(AssignmentCategory category, std::u16string path) {
    auto r = request(category);
    r.actionPath = std::move(path);
    return r;
}

AssignmentRequest restoreDefault(AssignmentCategory category) {
    auto r = request(category);
    r.keyCount = kRestoreDefaultKeyCount;
    return r;
}

struct Case {
    const char *name;
    int key;
    AssignmentRequest request;
    Language language;
    KeyAction action;              // the key's KeyAction afterwards
    uint8_t category;              // its record's category afterwards
    uint8_t keyCount;
    std::array<uint8_t, 4> keyData;
    uint8_t changedFlag;
    int packs;
    std::function<void(KeyboardState &, HostKeyRecords &)> before = {};
};

const KeyAction kEscDefault{0, 0, 41, 0};

std::vector<Case> cases() {
    return {
        {"single: F1 on Esc", kEsc, request(AssignmentCategory::Single, {kVkF1}), Language::English,
         {0, 0, 0x3A, 0}, 0, 1, {kVkF1, 0, 0, 0}, 1, 0},
        {"single: the key's own key empties the record", kEsc, request(AssignmentCategory::Single, {27}),
         Language::English, kEscDefault, 0, 0, {0, 0, 0, 0}, 0, 0},
        {"single: media player key is consumer 0x0183", kEsc, request(AssignmentCategory::Single, {kVkMediaPlayer}),
         Language::English, {3, 0, 0x83, 1}, 0, 1, {kVkMediaPlayer, 0, 0, 0}, 1, 0},
        {"single: play/pause is a consumer control", kEsc, request(AssignmentCategory::Single, {kVkPlayPause}),
         Language::English, {3, 0, 0xCD, 0}, 0, 1, {kVkPlayPause, 0, 0, 0}, 1, 0},
        {"single: volume up is a consumer control", kEsc, request(AssignmentCategory::Single, {kVkVolumeUp}),
         Language::English, {3, 0, 0xE9, 0}, 0, 1, {kVkVolumeUp, 0, 0, 0}, 1, 0},
        {"single with two keys stores them but keeps the action", kEsc,
         request(AssignmentCategory::Single, {kVkF1, kVkC}), Language::English, kEscDefault, 0, 2,
         {kVkF1, kVkC, 0, 0}, 0, 0},
        {"combine: left Control then C", kEsc, request(AssignmentCategory::Combine, {kVkLeftControl, kVkC}),
         Language::English, {0, 0xE0, 0x06, 0}, 1, 2, {kVkLeftControl, kVkC, 0, 0}, 1, 0},
        {"combine: one key is not a change", kEsc, request(AssignmentCategory::Combine, {kVkC}), Language::English,
         {0, 0x06, 0, 0}, 1, 1, {kVkC, 0, 0, 0}, 0, 0},
        {"combine: three keys", kKeyA, request(AssignmentCategory::Combine, {kVkLeftControl, 164, 46}),
         Language::English, {0, 0xE0, 0xE2, 0x4C}, 1, 3, {kVkLeftControl, 164, 46, 0}, 1, 0},
        {"macro 3", kEsc, withMacro(3), Language::English, {4, 1, 3, 0}, 2, 0, {4, 1, 3, 0}, 1, 1},
        {"macro 31, the last slot", kEsc, withMacro(31), Language::English, {4, 1, 31, 0}, 2, 0, {4, 1, 31, 0}, 1, 1},
        {"macro without a macro keeps the action", kEsc, withMacro(-1), Language::English, kEscDefault, 2, 0,
         {4, 1, 0xFF, 0}, 0, 0},
        {"basic: Task Management", kEsc, withFunction("Task Management"), Language::English, {0, 0xE0, 0xE2, 0x4C}, 3,
         0, {0, 0xE0, 0xE2, 0x4C}, 1, 0},
        {"basic: Chinese name in Chinese", kEsc, withFunction("静音"), Language::Chinese, {3, 0, 0xE2, 0}, 3, 0,
         {3, 0, 0xE2, 0}, 1, 0},
        {"basic: English name in Chinese is not found", kEsc, withFunction("Mute"), Language::Chinese, kEscDefault, 3,
         0, {0, 0, 0, 0}, 1, 0},
        {"basic: names are case-sensitive", kEsc, withFunction("mute"), Language::English, kEscDefault, 3, 0,
         {0, 0, 0, 0}, 1, 0},
        {"open folder on F1", kF1, withPath(AssignmentCategory::OpenFolder, u"/home/ann/Music"), Language::English,
         {10, 0, 0x70, 0}, 7, 0, {3, 0, 0x23, 0x02}, 1, 0},
        {"play sound on Esc", kEsc, withPath(AssignmentCategory::PlaySound, u"/m/a.mp3"), Language::English,
         {10, 0, 27, 0}, 4, 0, {3, 0, 0x23, 0x02}, 1, 0},
        {"startup reports the key's own code even from a damaged record", kEsc,
         withPath(AssignmentCategory::Startup, u"/opt/game/run"), Language::English, {10, 0, 27, 0}, 5, 0,
         {3, 0, 0x23, 0x02}, 1, 0, [](KeyboardState &, HostKeyRecords &r) { r[kEsc].virtualKey = 0; }},
        {"default on a key bound to a macro", kEsc, restoreDefault(AssignmentCategory::Macro), Language::English,
         kEscDefault, 0, 0, {0, 0, 0, 0}, 0, 0,
         [](KeyboardState &s, HostKeyRecords &r) {
             s.setKeyAction(keyAt(kEsc).matrixSlot(), {4, 1, 2, 0});
             r[kEsc].category = 2;
             r[kEsc].keyData = {4, 1, 2, 0};
         }},
        {"default gives a media key its consumer control back", 16, restoreDefault(AssignmentCategory::None),
         Language::English, {3, 0, 0xEA, 0}, 0, 0, {0, 0, 0, 0}, 0, 0,
         [](KeyboardState &s, HostKeyRecords &) { s.setKeyAction(keyAt(16).matrixSlot(), {0, 0, 4, 0}); }},
        {"restore key empties a combination", kEsc, request(AssignmentCategory::RestoreKey), Language::English,
         kEscDefault, 0, 0, {0, 0, 0, 0}, 0, 0,
         [](KeyboardState &s, HostKeyRecords &r) {
             s.setKeyAction(keyAt(kEsc).matrixSlot(), {0, 0xE0, 0x06, 0});
             r[kEsc].category = 1;
             r[kEsc].keyCount = 2;
             r[kEsc].keyData = {kVkLeftControl, kVkC};
         }},
        {"nothing chosen changes nothing", kEsc, request(AssignmentCategory::None), Language::English, kEscDefault, 0,
         0, {0, 0, 0, 0}, 0, 0},
    };
}

} // namespace

TEST_F(AssignmentTest, EachCategoryWritesTheKeyActionAndTheRecord) {
    for (const Case &c : cases()) {
        SCOPED_TRACE(c.name);
        *this->records = HostKeyRecords{};
        fillVirtualKeys(*records);
        state.keyMatrix = defaultKeyMatrix();
        changed.fill(0);
        packs = 0;
        if (c.before)
            c.before(state, *records);
        const KeyboardState before = state;
        AssignmentRequest r = c.request;

        ASSERT_TRUE(applyAssignment(c.key, r, target(), environment(c.language)));

        EXPECT_EQ(actionOf(c.key), c.action);
        const HostKeyRecord &record = records->at(c.key);
        EXPECT_EQ(record.category, c.category);
        EXPECT_EQ(record.keyCount, c.keyCount);
        EXPECT_EQ(keyDataHead(c.key), c.keyData);
        EXPECT_TRUE(std::all_of(record.keyData.begin() + 4, record.keyData.end(), [](uint8_t b) { return b == 0; }));
        EXPECT_EQ(record.virtualKey, keyAt(c.key).virtualKey);
        EXPECT_EQ(changed[c.key], c.changedFlag);
        EXPECT_EQ(packs, c.packs);
        for (int slot = 0; slot < kMatrixSlots; ++slot) {
            if (slot != keyAt(c.key).matrixSlot()) {
                ASSERT_EQ(state.keyAction(slot), before.keyAction(slot)) << "slot " << slot;
            }
        }
        EXPECT_EQ(state.keyEnableMask, before.keyEnableMask);
    }
}

TEST_F(AssignmentTest, HostActionStoresThePathAndKeepsItThroughLaterAssignments) {
    auto folder = withPath(AssignmentCategory::OpenFolder, u"/home/ann/Music and more");
    ASSERT_TRUE(applyAssignment(kF1, folder, target(), environment()));
    auto shorter = withPath(AssignmentCategory::OpenFile, u"/a.txt");
    ASSERT_TRUE(applyAssignment(kF1, shorter, target(), environment()));
    EXPECT_EQ(records->at(kF1).actionPathText(), u"/a.txt");

    auto single = request(AssignmentCategory::Single, {kVkC});
    ASSERT_TRUE(applyAssignment(kF1, single, target(), environment()));
    EXPECT_EQ(records->at(kF1).category, 0);
    EXPECT_EQ(records->at(kF1).actionPathText(), u"/a.txt") << "the old path stays, unused";
}

TEST_F(AssignmentTest, PathsThatDoNotFitAreRefusedAndChangeNothing) {
    auto fits = withPath(AssignmentCategory::OpenFile, std::u16string(255, u'x'));
    ASSERT_TRUE(applyAssignment(kF1, fits, target(), environment()));
    EXPECT_EQ(records->at(kF1).actionPathText().size(), 255u);

    const auto recordsBefore = std::make_unique<HostKeyRecords>(*records);
    const KeyboardState stateBefore = state;
    const KeyChangedFlags changedBefore = changed;
    for (Language language : {Language::English, Language::Chinese}) {
        auto tooLong = withPath(AssignmentCategory::Startup, std::u16string(256, u'y'));
        const Result result = applyAssignment(kEsc, tooLong, target(), environment(language));
        ASSERT_FALSE(result);
        EXPECT_NE(result.message().find("255"), std::string::npos);
        EXPECT_EQ(*records, *recordsBefore);
        EXPECT_EQ(state, stateBefore);
        EXPECT_EQ(changed, changedBefore);
    }
}

TEST_F(AssignmentTest, MacroBeyondTheKeyboardsSlotsIsRefused) {
    const KeyboardState before = state;
    auto macro = withMacro(kBindableMacroCount);
    const Result result = applyAssignment(kEsc, macro, target(), environment());
    EXPECT_FALSE(result);
    EXPECT_EQ(state, before);
    EXPECT_EQ(records->at(kEsc).category, 0);
    EXPECT_EQ(packs, 0);
}

// The sequence after the dialog's OK: the enable bit, the changed flag and keymap.bin.
TEST_F(AssignmentTest, ConfirmedAssignmentAppliesTheEnableBitAndSavesOnce) {
    TempFolder folder{"quenlar-assign"};
    const auto file = folder / "keymap.bin";
    const int bit = keyAt(kEsc).enableBit;

    struct Row {
        const char *name;
        AssignmentRequest request;
        KeyAction action;
        bool enabled;
        uint8_t changedFlag;
    };
    auto disabledMute = withFunction("Mute");
    disabledMute.keyEnabled = false;
    auto nothingDisabled = request(AssignmentCategory::None);
    nothingDisabled.keyEnabled = false;
    auto defaultDisabled = restoreDefault(AssignmentCategory::Basic);
    defaultDisabled.keyEnabled = false;
    auto ownKey = request(AssignmentCategory::Single, {27});
    const Row rows[] = {
        {"disabled Mute", disabledMute, {3, 0, 0xE2, 0}, false, 1},
        {"nothing chosen, key disabled", nothingDisabled, kEscDefault, false, 1},
        {"default always ends enabled", defaultDisabled, kEscDefault, true, 0},
        {"own key, enabled: the old mark goes", ownKey, kEscDefault, true, 0},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        state.keyMatrix = defaultKeyMatrix();
        state.setEnableBit(bit, !row.enabled);
        changed.fill(0);
        changed[kEsc] = 1;
        AssignmentRequest r = row.request;

        ASSERT_TRUE(applyConfirmedAssignment(kEsc, r, target(), environment(), file));

        EXPECT_EQ(actionOf(kEsc), row.action);
        EXPECT_EQ(state.enableBit(bit), row.enabled);
        EXPECT_EQ(changed[kEsc], row.changedFlag);
        EXPECT_EQ(readWholeFile(file), keymapFileBytes(state, *records)) << "keymap.bin holds the result";
    }
}

TEST_F(AssignmentTest, RefusedConfirmedAssignmentWritesNothing) {
    TempFolder folder{"quenlar-assign"};
    const auto file = folder / "keymap.bin";
    changed[kEsc] = 1;
    auto tooLong = withPath(AssignmentCategory::OpenFile, std::u16string(300, u'z'));
    tooLong.keyEnabled = false;
    EXPECT_FALSE(applyConfirmedAssignment(kEsc, tooLong, target(), environment(), file));
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_EQ(changed[kEsc], 1);
    EXPECT_TRUE(state.enableBit(keyAt(kEsc).enableBit));
}

TEST_F(AssignmentTest, SaveFailureIsReported) {
    AssignmentRequest r = request(AssignmentCategory::Single, {kVkF1});
    const Result result = applyConfirmedAssignment(kEsc, r, target(), environment(), "/nonexistent-folder/keymap.bin");
    EXPECT_FALSE(result);
    EXPECT_EQ(actionOf(kEsc), (KeyAction{0, 0, 0x3A, 0})) << "memory keeps the assignment for the next save";
}
