// A long, seeded run of what a user does: lighting and option changes, key assignments, macro
// edits, profile saves and loads, applies, reverts and replugs, on the virtual keyboard. After
// every apply the keyboard holds exactly the working image; after every save the files load back
// to exactly what was saved. Counted in operations, not time.

#include "device/LinkFixture.h"

#include "keymap/ApplyAssignment.h"
#include "keymap/KeymapFile.h"
#include "macro/MacroEditBuffer.h"
#include "macro/MacroLibrary.h"
#include "macro/MacroLibraryFile.h"
#include "macro/MacroSlots.h"
#include "model/FileIo.h"
#include "model/KeyTable.h"
#include "model/LightingEffects.h"
#include "profile/ProfileStore.h"

#include <filesystem>
#include <random>
#include <unistd.h>

using namespace quenlar;
using namespace quenlar::test;
namespace fs = std::filesystem;

namespace {

constexpr int kOperations = 3000;

class AnsweringPrompts final : public UserPrompts {
public:
    bool confirm(const std::string &, const std::string &) override { return true; }
    void inform(const std::string &, const std::string &) override {}
    std::optional<fs::path> chooseFileToOpen(const std::string &) override { return fileToOpen; }
    std::optional<fs::path> chooseFileToSave(const std::string &, const std::string &) override { return std::nullopt; }
    std::optional<fs::path> fileToOpen;
};

struct Program {
    explicit Program(const fs::path &folder)
        : folder(folder), link(keyboard, sleeper, trace,
                               {std::chrono::milliseconds(3000), std::chrono::milliseconds(1000),
                                std::chrono::milliseconds(5)}),
          store(folder / "Configure", Language::English, prompts, images.working, records.working) {}

    fs::path keymapFile() const { return folder / "keymap.bin"; }
    fs::path macroFile() const { return folder / "MacroDefine.bin"; }

    fs::path folder;
    VirtualKeyboard keyboard;
    CountingSleeper sleeper;
    ReportTrace trace;
    HidLink link;
    KeyboardImages images;
    HostKeyRecordImages records;
    MacroTable macros{};
    KeyNameTable names;
    KeyChangedFlags changed{};
    AnsweringPrompts prompts;
    ProfileStore store;
};

void expectFileHolds(const fs::path &file, const KeyboardState &state, const HostKeyRecords &records) {
    const auto bytes = readWholeFile(file);
    ASSERT_TRUE(bytes) << file;
    EXPECT_EQ(*bytes, keymapFileBytes(state, records)) << file;
}

class Soak : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("quenlar-soak-" + std::to_string(::getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }
    fs::path folder;
};

TEST_F(Soak, ThousandsOfEditsAppliesRevertsAndReplugsLoseNothing) {
    Program p(folder);
    ASSERT_TRUE(loadKeymapFile(p.keymapFile(), KeymapLoadMode::Full, p.images.working, p.records.working,
                               Language::English));
    ASSERT_TRUE(LoadMacroLibrary(p.macroFile(), p.macros, Language::English));
    ASSERT_TRUE(p.link.open(nullptr));
    auto read = p.link.readAll(p.images.working);
    ASSERT_TRUE(read.result.ok());
    p.images.working = read.state;
    p.images.commit();
    p.records.commit();

    std::mt19937 random(20261211);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    const AssignmentEnvironment environment{p.names, Language::English,
                                            [&](KeyboardState &s) { PackMacroSlots(p.macros, s); }};
    int applies = 0, replugs = 0, assignments = 0, macroEdits = 0, profileOps = 0;

    for (int op = 0; op < kOperations; ++op) {
        SCOPED_TRACE("operation " + std::to_string(op));
        KeyboardState &w = p.images.working;
        switch (pick(0, 9)) {
        case 0: {  // lighting
            const auto &effect = lightingEffects()[pick(0, kLightingEffectCount - 1)];
            w.lightEffect = effect.code;
            w.lightSpeed = static_cast<uint8_t>(pick(0, 9));
            w.lightBrightness = static_cast<uint8_t>(pick(0, 50));
            w.lightColour = static_cast<uint8_t>(pick(1, 8));
            w.lightDirection = static_cast<uint8_t>(pick(1, 4));
            break;
        }
        case 1:  // options
            w.gameMode = static_cast<uint8_t>(pick(0, 1));
            w.winLock = static_cast<uint8_t>(pick(0, 1));
            w.responseTime = static_cast<uint8_t>(pick(1, 10));
            w.reportRate = static_cast<uint8_t>(pick(0, 3));
            if (pick(0, 3) == 0)
                w.customLayer(pick(0, 4))[4 * pick(0, 127) + 1] ^= 0xFF;
            break;
        case 2: {  // a key assignment, as the dialog's OK does it
            AssignmentRequest request;
            const int kind = pick(0, 4);
            const uint8_t vks[] = {'A', 'Q', 'Z', '5', 112, 113, 162, 160, 32, 13};
            if (kind == 0) {
                request.category = AssignmentCategory::Single;
                request.keyCount = 1;
                request.capturedKeys[0] = vks[pick(0, 9)];
            } else if (kind == 1) {
                request.category = AssignmentCategory::Combine;
                request.keyCount = 2;
                request.capturedKeys[0] = 162;
                request.capturedKeys[1] = vks[pick(0, 5)];
            } else if (kind == 2) {
                request.category = AssignmentCategory::OpenFolder;
                request.actionPath = u"/tmp/folder" + std::u16string(1, static_cast<char16_t>(u'0' + pick(0, 9)));
            } else if (kind == 3) {
                request.category = AssignmentCategory::RestoreKey;
                request.keyCount = kRestoreDefaultKeyCount;
            } else {
                const int macro = pick(0, 3);
                if (!p.macros[macro].named())
                    break;
                request.category = AssignmentCategory::Macro;
                request.macroIndex = macro;
            }
            request.keyEnabled = pick(0, 9) != 0;
            const int key = pick(0, kKeyCount - 1);
            const AssignmentTarget target{w, p.records.working, p.changed};
            if (applyConfirmedAssignment(key, request, target, environment, p.keymapFile())) {
                ++assignments;
                expectFileHolds(p.keymapFile(), w, p.records.working);
            }
            break;
        }
        case 3: {  // a macro edited in the manager, then its OK
            const int r = pick(0, 5);
            MacroRecord &record = p.macros[r];
            setMacroName(record, u"Macro " + std::u16string(1, static_cast<char16_t>(u'A' + r)));
            MacroEditBuffer buffer;
            fillEditBuffer(buffer, record.deviceEvents, record.hostEvents);
            for (int i = 0, n = pick(1, 12); i < n; ++i) {
                const uint8_t vk = "ASDFJKL"[pick(0, 6)];
                if (!InsertEventAt(buffer, buffer.usedBytes, 0x01, vk, p.names.usage(vk)))
                    break;
                if (pick(0, 1))
                    (void)SetEventDelay(buffer, buffer.usedBytes - 2, pick(2, 60000));
            }
            if (buffer.usedBytes > 0 && pick(0, 3) == 0)
                DeleteEventAt(buffer, 0, false);
            record.deviceEvents = buffer.deviceEvents;
            record.hostEvents = buffer.hostEvents;
            PackMacroSlots(p.macros, w);
            ASSERT_TRUE(SaveMacroLibrary(p.macroFile(), p.macros, Language::English));
            ASSERT_TRUE(saveKeymapFile(p.keymapFile(), w, p.records.working, Language::English));
            MacroTable reloaded{};
            ASSERT_TRUE(LoadMacroLibrary(p.macroFile(), reloaded, Language::English));
            EXPECT_TRUE(reloaded == p.macros);
            ++macroEdits;
            break;
        }
        case 4: {  // profiles: new, save the working configuration, load one back
            p.store.reload();
            if (p.store.profiles().size() < 3) {
                p.store.newProfile();
            } else if (pick(0, 1)) {
                const int sel = pick(0, static_cast<int>(p.store.profiles().size()) - 1);
                p.store.saveProfile(sel);
                expectFileHolds(p.store.profiles()[sel].file, w, p.records.working);
            } else {
                const int sel = pick(0, static_cast<int>(p.store.profiles().size()) - 1);
                p.prompts.fileToOpen = p.store.profiles()[pick(0, static_cast<int>(p.store.profiles().size()) - 1)].file;
                const auto expected = readWholeFile(*p.prompts.fileToOpen);
                ASSERT_TRUE(expected);
                p.store.loadProfile(sel);
                const auto after = keymapFileBytes(w, p.records.working);
                // The profile's image and records are now the working ones (virtual-key codes of
                // the records refilled from the key table).
                EXPECT_TRUE(std::equal(after.begin(), after.begin() + kKeyboardStateSize, expected->begin()));
            }
            ++profileOps;
            break;
        }
        case 5:
        case 6: {  // apply
            auto outcome = p.link.writeAll(p.images);
            ASSERT_TRUE(outcome.result.ok()) << outcome.result.message();
            p.records.commit();
            EXPECT_EQ(p.images.synced, p.images.working);
            expectKeyboardHolds(p.keyboard.memory(), p.images.working);
            ASSERT_TRUE(saveKeymapFile(p.keymapFile(), w, p.records.working, Language::English));
            expectFileHolds(p.keymapFile(), w, p.records.working);
            ++applies;
            break;
        }
        case 7:  // revert
            p.images.revert();
            p.records.revert();
            break;
        case 8: {  // pull the cable and plug it back in
            p.keyboard.unplug();
            p.link.handleRemoval();
            p.keyboard.plug();
            KeyboardState scratch = w;
            DeviceInfo device;
            auto arrival = p.link.handleArrival(scratch, device, nullptr);
            ASSERT_TRUE(arrival.configReopened && arrival.eventReopened);
            ASSERT_TRUE(arrival.readResult.ok());
            ++replugs;
            break;
        }
        default: {  // an apply while unplugged keeps everything, and tells why
            p.keyboard.unplug();
            p.link.handleRemoval();
            const KeyboardImages before = p.images;
            auto outcome = p.link.writeAll(p.images);
            EXPECT_EQ(outcome.result.failure, LinkFailure::NoKeyboard);
            EXPECT_EQ(p.images.working, before.working);
            EXPECT_EQ(p.images.synced, before.synced);
            p.keyboard.plug();
            KeyboardState scratch;
            DeviceInfo device;
            ASSERT_TRUE(p.link.handleArrival(scratch, device, nullptr).readResult.ok());
            break;
        }
        }
        if (HasFatalFailure())
            return;
    }
    RecordProperty("applies", applies);
    RecordProperty("replugs", replugs);
    RecordProperty("assignments", assignments);
    RecordProperty("macroEdits", macroEdits);
    RecordProperty("profileOperations", profileOps);
    EXPECT_GT(applies, kOperations / 10);
    EXPECT_GT(assignments, kOperations / 20);
    EXPECT_GT(macroEdits, kOperations / 20);
}

} // namespace
