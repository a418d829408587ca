#include "keymap/HostAction.h"

#include "keymap/RecordingShell.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>

using namespace quenlar;
using namespace quenlar::testing;

namespace {

constexpr int kF1 = 1, kFn = 100, kApp = 101;
constexpr uint8_t kOpenFolder = 7, kStartup = 5, kPlaySound = 4, kOpenFile = 6;

struct Assigned {
    int record;
    uint8_t category;
    std::u16string path;
};

struct Case {
    const char *name;
    std::vector<Assigned> assigned;
    uint32_t code;
    HostActionOutcome outcome;
    std::optional<RecordingShell::Call> call;
};

std::unique_ptr<HostKeyRecords> recordsWith(const std::vector<Assigned> &assigned) {
    auto records = std::make_unique<HostKeyRecords>();
    fillVirtualKeys(*records);
    for (const auto &a : assigned) {
        (*records)[a.record].category = a.category;
        (*records)[a.record].setActionPath(a.path);
    }
    return records;
}

} // namespace

TEST(HostAction, OpensThePathOfTheFirstMatchingRecord) {
    using O = HostActionOutcome;
    using Call = RecordingShell::Call;
    const std::vector<Case> cases = {
        {"open folder", {{kF1, kOpenFolder, u"/home/ann/Music"}}, 0x70, O::Started,
         Call{"folder", "/home/ann/Music", {}}},
        {"only the low byte of the code counts", {{kF1, kOpenFolder, u"/home/ann/Music"}}, 0x170, O::Started,
         Call{"folder", "/home/ann/Music", {}}},
        {"startup runs the program in its folder", {{kF1, kStartup, u"/opt/game/bin/run"}}, 0x70, O::Started,
         Call{"program", "/opt/game/bin/run", "/opt/game/bin"}},
        {"program in the root folder", {{kF1, kStartup, u"/run"}}, 0x70, O::Started, Call{"program", "/run", "/"}},
        {"play sound", {{kF1, kPlaySound, u"/m/song.mp3"}}, 0x70, O::Started, Call{"document", "/m/song.mp3", {}}},
        {"open file", {{kF1, kOpenFile, u"/home/ann/notes.txt"}}, 0x70, O::Started,
         Call{"document", "/home/ann/notes.txt", {}}},
        {"path in Chinese", {{kF1, kOpenFile, u"/home/ann/\u97F3\u4E50/a.txt"}}, 0x70, O::Started,
         Call{"document", "/home/ann/\xE9\x9F\xB3\xE4\xB9\x90/a.txt", {}}},
        {"a stale path of a key given another category", {{kF1, 0, u"/home/ann/Music"}}, 0x70, O::NoRecord,
         std::nullopt},
        {"Fn and App share code 93: the Fn record wins",
         {{kApp, kOpenFile, u"/app.txt"}, {kFn, kOpenFile, u"/fn.txt"}}, 93, O::Started,
         Call{"document", "/fn.txt", {}}},
        {"root folder names no file", {{kF1, kOpenFolder, u"/"}}, 0x70, O::NothingToOpen, std::nullopt},
        {"trailing slash names no file", {{kF1, kOpenFolder, u"/home/ann/"}}, 0x70, O::NothingToOpen, std::nullopt},
        {"path without a slash", {{kF1, kOpenFolder, u"Music"}}, 0x70, O::NothingToOpen, std::nullopt},
        {"empty path", {{kF1, kOpenFile, u""}}, 0x70, O::NothingToOpen, std::nullopt},
        {"no record for the code", {{kF1, kOpenFolder, u"/home/ann/Music"}}, 0x71, O::NoRecord, std::nullopt},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const auto records = recordsWith(c.assigned);
        RecordingShell shell;
        EXPECT_EQ(runHostAction(c.code, *records, shell), c.outcome);
        if (c.call) {
            ASSERT_EQ(shell.calls.size(), 1u);
            EXPECT_EQ(shell.calls[0], *c.call);
        } else {
            EXPECT_TRUE(shell.calls.empty());
        }
    }
}

TEST(HostAction, RefusalOfTheDesktopIsReported) {
    const auto records = recordsWith({{kF1, kOpenFile, u"/home/ann/notes.txt"}});
    RecordingShell shell;
    shell.accept = false;
    EXPECT_EQ(runHostAction(0x70, *records, shell), HostActionOutcome::Failed);
}

TEST(HostAction, DamagedRecordWithoutTerminatorReadsAtMost255Units) {
    auto records = recordsWith({});
    HostKeyRecord &record = (*records)[kF1];
    record.category = kOpenFile;
    record.actionPath.fill('a');   // 256 units of U+6161, no terminator
    record.actionPath[0] = '/';
    record.actionPath[1] = 0;
    record.actionPath[2] = 0x00;   // an unpaired surrogate after the slash
    record.actionPath[3] = 0xD8;
    RecordingShell shell;
    EXPECT_EQ(runHostAction(0x70, *records, shell), HostActionOutcome::Started);
    ASSERT_EQ(shell.calls.size(), 1u);
    std::string expected = "/\xEF\xBF\xBD";   // the slash, then U+FFFD for the lone surrogate
    for (int i = 0; i < 253; ++i)
        expected += "\xE6\x85\xA1";       // U+6161
    EXPECT_EQ(shell.calls[0].path, expected);
}
