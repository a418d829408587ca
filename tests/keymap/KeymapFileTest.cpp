#include "keymap/KeymapFile.h"

#include "keymap/KeymapGolden.h"
#include "keymap/TempFolder.h"
#include "model/FileIo.h"
#include "model/KeyTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <unistd.h>

using namespace quenlar;
using namespace quenlar::testing;

namespace {

class KeymapFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Something in memory that a load must either replace or keep.
        state.lightEffect = 13;
        state.reportRate = 1;
        records->at(7).category = 3;
        records->at(7).keyData[0] = 0x55;
        records->at(200).keyCount = 9;
    }
    void writeFile(const std::vector<uint8_t> &bytes) { ASSERT_TRUE(writeFileAtomically(file, bytes)); }

    TempFolder folder{"quenlar-keymap"};
    std::filesystem::path file = folder / "keymap.bin";
    KeyboardState state;
    std::unique_ptr<HostKeyRecords> records = std::make_unique<HostKeyRecords>();
};

void expectVirtualKeysFilled(const HostKeyRecords &records) {
    for (int i = 0; i < kKeyCount; ++i)
        ASSERT_EQ(records[i].virtualKey, keyAt(i).virtualKey) << "record " << i;
}

} // namespace

TEST_F(KeymapFileTest, GoldenFileLoadsIntoTheFieldsAndSavesBackByteForByte) {
    const auto golden = goldenKeymapFile();
    writeFile(golden);
    ASSERT_TRUE(loadKeymapFile(file, KeymapLoadMode::Full, state, *records, Language::English));

    EXPECT_EQ(state.headerReserved[10], 0xAA);
    EXPECT_EQ(state.reportRate, 2);
    EXPECT_EQ(state.reservedArea.front(), 0x5A);
    EXPECT_EQ(state.reservedArea.back(), 0xA5);
    EXPECT_EQ(state.keyAction(keyAt(0).matrixSlot()), (KeyAction{0, 0, 0x3A, 0}));
    EXPECT_EQ(state.macroSlot(0)[2], 0x84);
    EXPECT_EQ(state.spareByte, 0x77);
    EXPECT_EQ(state.responseTime, 3);
    EXPECT_EQ(state.lightEffect, 51);
    EXPECT_EQ(state.lightSpeed, 4);
    EXPECT_EQ(state.lightBrightness, 50);
    EXPECT_EQ(state.lightColour, 8);
    EXPECT_EQ(state.lightDirection, 2);
    EXPECT_EQ(state.presetColour(6)[2], 240);
    EXPECT_EQ(state.gameMode, 1);
    EXPECT_FALSE(state.enableBit(127));
    EXPECT_TRUE(state.enableBit(126));
    EXPECT_EQ(state.winLock, 1);
    EXPECT_EQ(state.customLayer(0)[45], 0xFF);
    EXPECT_EQ(state.customLayer(4)[511], 0x99);

    const HostKeyRecord &esc = records->at(0);
    EXPECT_EQ(esc.virtualKey, 27);
    EXPECT_EQ(esc.category, 0);
    EXPECT_EQ(esc.keyCount, 1);
    EXPECT_EQ(esc.keyData[0], 0x70);
    const HostKeyRecord &f1 = records->at(1);
    EXPECT_EQ(f1.virtualKey, 0x70);
    EXPECT_EQ(f1.category, 7);
    EXPECT_EQ((std::array<uint8_t, 4>{f1.keyData[0], f1.keyData[1], f1.keyData[2], f1.keyData[3]}),
              (std::array<uint8_t, 4>{3, 0, 0x23, 0x02}));
    EXPECT_EQ(f1.actionPathText(), kGoldenFolder);
    EXPECT_EQ(records->at(2).category, 2);
    EXPECT_EQ(records->at(2).keyData[2], 7);
    EXPECT_EQ(records->at(7).category, 0) << "the file replaces every record";
    EXPECT_EQ(records->at(254).keyData[8], 0xEE);
    EXPECT_EQ(records->at(254).actionPath[511], 0xEF);

    const auto copy = folder / "copy.bin";
    ASSERT_TRUE(saveKeymapFile(copy, state, *records, Language::English));
    EXPECT_EQ(readWholeFile(copy), golden);
}

TEST_F(KeymapFileTest, MissingFileIsCreatedFromTheStateAndEmptyRecords) {
    ASSERT_TRUE(loadKeymapFile(file, KeymapLoadMode::Full, state, *records, Language::English));

    const auto bytes = readWholeFile(file);
    ASSERT_TRUE(bytes);
    ASSERT_EQ(bytes->size(), 206916u);
    EXPECT_TRUE(std::equal(state.bytes().begin(), state.bytes().end(), bytes->begin()));
    EXPECT_TRUE(std::all_of(bytes->begin() + 10056, bytes->end(), [](uint8_t b) { return b == 0; }))
        << "the file is written before the virtual keys are filled in";
    EXPECT_EQ(records->at(7).category, 0);
    EXPECT_EQ(records->at(200).keyCount, 0);
    expectVirtualKeysFilled(*records);
}

TEST_F(KeymapFileTest, FileThatCannotBeCreatedIsReportedInTheInterfaceLanguage) {
    const auto nowhere = folder / "missing-folder" / "keymap.bin";
    const Result english = loadKeymapFile(nowhere, KeymapLoadMode::Full, state, *records, Language::English);
    ASSERT_FALSE(english);
    EXPECT_NE(english.message().find("Cannot save the key settings file keymap.bin"), std::string::npos);
    expectVirtualKeysFilled(*records);

    const Result chinese = saveKeymapFile(nowhere, state, *records, Language::Chinese);
    ASSERT_FALSE(chinese);
    EXPECT_NE(chinese.message().find("无法保存按键设置文件 keymap.bin"), std::string::npos);
}

TEST_F(KeymapFileTest, UnreadableFileIsReportedAndNeverReplaced) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "file permissions do not stop the superuser";
    const std::vector<uint8_t> original(206916, 0x42);
    writeFile(original);
    std::filesystem::permissions(file, std::filesystem::perms::none);
    const KeyboardState before = state;

    const Result result = loadKeymapFile(file, KeymapLoadMode::Full, state, *records, Language::English);
    EXPECT_FALSE(result);
    EXPECT_EQ(state, before);
    EXPECT_EQ(records->at(7).category, 3);
    std::filesystem::permissions(file, std::filesystem::perms::owner_read);
    EXPECT_EQ(readWholeFile(file), original);
}

TEST_F(KeymapFileTest, FolderInPlaceOfTheFileIsReportedNotReplaced) {
    std::filesystem::create_directory(file);
    const KeyboardState before = state;

    const Result loaded = loadKeymapFile(file, KeymapLoadMode::Full, state, *records, Language::English);
    ASSERT_FALSE(loaded);
    EXPECT_EQ(loaded.message(), "Cannot read the key settings file keymap.bin.\n");
    EXPECT_EQ(state, before);
    EXPECT_EQ(records->at(7).category, 3);
    expectVirtualKeysFilled(*records);

    EXPECT_FALSE(saveKeymapFile(file, state, *records, Language::Chinese));
    EXPECT_TRUE(std::filesystem::is_directory(file));
    EXPECT_EQ(fileCount(folder.path()), 1) << "no temporary file is left behind";
}

TEST_F(KeymapFileTest, RecordsOnlyNeverTouchesTheState) {
    writeFile(goldenKeymapFile());
    const KeyboardState before = state;
    ASSERT_TRUE(loadKeymapFile(file, KeymapLoadMode::RecordsOnly, state, *records, Language::English));
    EXPECT_EQ(state, before);
    EXPECT_EQ(records->at(1).category, 7);
    EXPECT_EQ(records->at(7).category, 0);
}

// Whatever the file holds, a load fills what the file holds, keeps the rest of memory, refills
// the virtual keys and never reads past the file or writes past the records.
TEST_F(KeymapFileTest, DamagedFilesLoadWhatTheyHold) {
    std::mt19937 random(20261211);
    auto randomBytes = [&](std::size_t n) {
        std::vector<uint8_t> bytes(n);
        for (auto &b : bytes)
            b = static_cast<uint8_t>(random());
        return bytes;
    };
    struct Row {
        const char *name;
        std::vector<uint8_t> bytes;
    };
    const Row rows[] = {
        {"empty", {}},
        {"shorter than the state", randomBytes(5000)},
        {"state only", randomBytes(10056)},
        {"records cut in the middle of one", randomBytes(10056 + 772 * 7 + 100)},
        {"random, full length", randomBytes(206916)},
        {"oversized", randomBytes(206916 + 4096)},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        SetUp();
        const KeyboardState stateBefore = state;
        const auto recordsBefore = std::make_unique<HostKeyRecords>(*records);
        writeFile(row.bytes);

        ASSERT_TRUE(loadKeymapFile(file, KeymapLoadMode::Full, state, *records, Language::English));

        const auto *recordBytes = reinterpret_cast<const uint8_t *>(records->data());
        const auto *recordBytesBefore = reinterpret_cast<const uint8_t *>(recordsBefore->data());
        for (std::size_t i = 0; i < 206916; ++i) {
            const bool inFile = i < row.bytes.size();
            uint8_t actual, expected;
            if (i < 10056) {
                actual = state.bytes()[i];
                expected = inFile ? row.bytes[i] : stateBefore.bytes()[i];
            } else {
                const std::size_t r = i - 10056;
                actual = recordBytes[r];
                expected = inFile ? row.bytes[i] : recordBytesBefore[r];
                if (r % 772 == 0 && r / 772 < static_cast<std::size_t>(kKeyCount))
                    expected = keyAt(static_cast<int>(r / 772)).virtualKey;
            }
            ASSERT_EQ(actual, expected) << "byte " << i;
        }
    }
}
