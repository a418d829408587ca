// MacroDefine.bin: the byte layout, loading files of every size, creating a missing one, and
// saving without ever leaving a half-written file.
#include "MacroTestSupport.h"

#include "macro/MacroLibraryFile.h"
#include "macro/MacroMessages.h"
#include "macro/MacroSlots.h"
#include "model/FileIo.h"

#include <filesystem>
#include <random>
#include <unistd.h>

using namespace quenlar;
using namespace quenlar::test;
namespace fs = std::filesystem;

namespace {

class MacroLibraryFile : public ::testing::Test {
protected:
    fs::path dir;
    fs::path file;
    std::unique_ptr<MacroTable> table = std::make_unique<MacroTable>();

    void SetUp() override {
        const auto *info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = fs::temp_directory_path() /
              ("quenlar-macrolib-" + std::to_string(::getpid()) + "-" + info->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        file = dir / kMacroLibraryFileName;
    }
    void TearDown() override { fs::remove_all(dir); }

    void writeRaw(const std::vector<uint8_t> &bytes) { ASSERT_TRUE(writeFileAtomically(file, bytes)); }
    int filesInDir() const {
        return static_cast<int>(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
    }
};

void putUtf16(std::vector<uint8_t> &bytes, std::size_t at, std::u16string_view text) {
    for (char16_t unit : text) {
        bytes[at++] = static_cast<uint8_t>(unit & 0xFF);
        bytes[at++] = static_cast<uint8_t>(unit >> 8);
    }
}

void putBytes(std::vector<uint8_t> &bytes, std::size_t at, std::initializer_list<int> values) {
    for (int v : values)
        bytes[at++] = static_cast<uint8_t>(v);
}

// A library written field by field at the file's offsets: record i at 894 * i; name at 0 (UTF-16LE),
// loopCount at 510 (little-endian), delayFlag at 512, device events at 513, host events at 703,
// spare byte at 893.
std::vector<uint8_t> goldenLibrary() {
    std::vector<uint8_t> bytes(169860, 0);
    putUtf16(bytes, 0, u"Macro_001");
    putBytes(bytes, 510, {0x02, 0x01}); // loopCount 258
    putBytes(bytes, 512, {0x01});
    putBytes(bytes, 513, {0x01, 0x04, 0x81, 0x04});
    putBytes(bytes, 703, {0x01, 0x41, 0x81, 0x41});

    const std::size_t second = 894;
    putUtf16(bytes, second, u"宏测试");
    putUtf16(bytes, second + 8, u"junk after the terminator");
    putBytes(bytes, second + 510, {0x05, 0x00});
    putBytes(bytes, second + 513, {0x01, 0xF0, 0xFF, 0xF0, 0xEA, 0x60});
    putBytes(bytes, second + 703, {0x01, 0xF0, 0xFF, 0xF0, 0xEA, 0x60});
    putBytes(bytes, second + 893, {0x5A}); // a spare byte another version set

    const std::size_t third = 2 * 894;
    putUtf16(bytes, third, std::u16string(255, u'x')); // a full field without terminator
    putBytes(bytes, third + 510, {0xE7, 0x03});        // 999
    return bytes;
}

} // namespace

TEST_F(MacroLibraryFile, GoldenFileLoadsIntoItsFieldsAndSavesBackByteForByte) {
    const std::vector<uint8_t> golden = goldenLibrary();
    writeRaw(golden);
    ASSERT_TRUE(LoadMacroLibrary(file, *table, Language::English));

    const MacroRecord &first = (*table)[0];
    EXPECT_EQ(first.nameView(), u"Macro_001");
    EXPECT_EQ(first.loopCount, 258);
    EXPECT_EQ(first.delayFlag, 1);
    EXPECT_EQ(head(first.deviceEvents, 5), (std::vector<int>{0x01, 0x04, 0x81, 0x04, 0}));
    EXPECT_EQ(head(first.hostEvents, 5), (std::vector<int>{0x01, 0x41, 0x81, 0x41, 0}));
    EXPECT_EQ(first.spare, 0);

    const MacroRecord &second = (*table)[1];
    EXPECT_EQ(second.nameView(), u"宏测试");
    EXPECT_EQ(second.loopCount, 5);
    EXPECT_EQ(second.delayFlag, 0);
    EXPECT_EQ(eventDelayMs(second.deviceEvents, 2), 60000);
    EXPECT_EQ(second.spare, 0x5A);

    EXPECT_EQ((*table)[2].nameView(), std::u16string(255, u'x'));
    EXPECT_EQ((*table)[2].loopCount, 999);
    EXPECT_FALSE((*table)[3].named());
    EXPECT_EQ(namedMacroCount(*table), 3);

    fs::remove(file);
    ASSERT_TRUE(SaveMacroLibrary(file, *table, Language::English));
    EXPECT_EQ(readWholeFile(file), golden);
    EXPECT_EQ(filesInDir(), 1) << "no temporary file is left beside the library";
}

TEST_F(MacroLibraryFile, MissingFileIsCreatedEmpty) {
    (*table)[0].loopCount = 7; // whatever the table held before
    ASSERT_TRUE(LoadMacroLibrary(file, *table, Language::English));
    EXPECT_EQ(*table, MacroTable{});
    EXPECT_EQ(readWholeFile(file), std::vector<uint8_t>(169860, 0));
    EXPECT_EQ(namedMacroCount(*table), 0);
}

TEST_F(MacroLibraryFile, FilesOfAnySizeLoadByteForByteAndAreLeftAsTheyAre) {
    std::mt19937 random(12345);
    auto randomBytes = [&](std::size_t size) {
        std::vector<uint8_t> bytes(size);
        for (auto &b : bytes)
            b = static_cast<uint8_t>(random());
        return bytes;
    };
    struct Row {
        const char *name;
        std::vector<uint8_t> bytes;
    };
    const std::vector<uint8_t> golden = goldenLibrary();
    const Row rows[] = {
        {"empty file", {}},
        {"truncated inside the second record", std::vector<uint8_t>(golden.begin(), golden.begin() + 1000)},
        {"oversized", [&] {
             auto bytes = golden;
             bytes.resize(169860 + 500, 0xEE);
             return bytes;
         }()},
        {"random, full size", randomBytes(169860)},
        {"random, odd size", randomBytes(4321)},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        writeRaw(row.bytes);
        ASSERT_TRUE(LoadMacroLibrary(file, *table, Language::English));
        std::vector<uint8_t> expected = row.bytes;
        expected.resize(169860, 0);
        const auto loaded = tableBytes(*table);
        EXPECT_TRUE(std::equal(loaded.begin(), loaded.end(), expected.begin()));
        EXPECT_EQ(readWholeFile(file), row.bytes) << "loading never rewrites an existing file";
        EXPECT_LE(namedMacroCount(*table), 32);
    }
    // The truncated file kept record 0 whole and the start of record 1's name.
    writeRaw(std::vector<uint8_t>(golden.begin(), golden.begin() + 1000));
    ASSERT_TRUE(LoadMacroLibrary(file, *table, Language::English));
    EXPECT_EQ((*table)[0].nameView(), u"Macro_001");
    EXPECT_EQ((*table)[1].nameView(), u"宏测试");
    EXPECT_EQ((*table)[1].loopCount, 0);
}

TEST_F(MacroLibraryFile, UnreadableOrUncreatableLibraryGivesAMessageAndAnEmptyTable) {
    // A folder where the file should be: it cannot be read and must not be replaced.
    fs::create_directory(file);
    (*table)[0].loopCount = 3;
    Result result = LoadMacroLibrary(file, *table, Language::Chinese);
    EXPECT_FALSE(result);
    EXPECT_TRUE(result.message().starts_with(macroMessage(MacroMessageId::LibraryUnreadable, Language::Chinese).text));
    EXPECT_TRUE(fs::is_directory(file));
    EXPECT_EQ(*table, MacroTable{});

    const fs::path nowhere = dir / "missing-folder" / kMacroLibraryFileName;
    result = LoadMacroLibrary(nowhere, *table, Language::English);
    EXPECT_FALSE(result);
    EXPECT_TRUE(result.message().starts_with("The macro library MacroDefine.bin cannot be created.\n"));
    EXPECT_EQ(*table, MacroTable{});
    EXPECT_FALSE(fs::exists(nowhere));
}

TEST_F(MacroLibraryFile, FailedSaveLeavesNoFileBehindAndSaysSo) {
    setMacroName((*table)[0], u"Macro_001");
    const fs::path nowhere = dir / "missing-folder" / kMacroLibraryFileName;
    Result result = SaveMacroLibrary(nowhere, *table, Language::English);
    EXPECT_FALSE(result);
    EXPECT_TRUE(result.message().starts_with(macroMessage(MacroMessageId::LibraryNotSaved, Language::English).text));

    // A save that cannot replace its target leaves the target and no temporary file.
    fs::create_directory(file);
    fs::create_directory(file / "inside");
    result = SaveMacroLibrary(file, *table, Language::Chinese);
    EXPECT_FALSE(result);
    EXPECT_TRUE(result.message().starts_with("无法保存宏文件 MacroDefine.bin，文件未更改。\n"));
    EXPECT_TRUE(fs::is_directory(file / "inside"));
    EXPECT_EQ(filesInDir(), 1);
}

TEST_F(MacroLibraryFile, LoadedMacrosAreWhatTheKeyboardReceives) {
    writeRaw(goldenLibrary());
    ASSERT_TRUE(LoadMacroLibrary(file, *table, Language::English));
    KeyboardState state;
    PackMacroSlots(*table, state);
    EXPECT_EQ(std::vector<int>(state.macroSlot(0).begin(), state.macroSlot(0).begin() + 7),
              (std::vector<int>{0x01, 0x02, 0x01, 0x04, 0x81, 0x04, 0}));
    EXPECT_EQ(std::vector<int>(state.macroSlot(2).begin(), state.macroSlot(2).begin() + 3),
              (std::vector<int>{0x03, 0xE7, 0}));
}

TEST_F(MacroLibraryFile, RandomLibraryCanBeBrowsedAndEditedSafely) {
    std::mt19937 random(777);
    std::vector<uint8_t> bytes(169860);
    for (auto &b : bytes)
        b = static_cast<uint8_t>(random());
    // Make the first records named so that their random streams are listed and edited.
    for (int i = 0; i < 5; ++i)
        bytes[894 * i] = bytes[894 * i] ? bytes[894 * i] : 1;
    writeRaw(bytes);
    ASSERT_TRUE(LoadMacroLibrary(file, *table, Language::English));

    KeyNameTable keys;
    ScriptedPrompts prompts;
    FakeHook hook;
    FakeClock clock;
    MacroEditSession session(keys, prompts, hook, Language::English, clock.function());
    session.open(*table);
    ASSERT_GE(session.macroCount(), 5);
    for (int i = 0; i < session.macroCount(); ++i) {
        SCOPED_TRACE(i);
        session.selectMacro(i);
        expectFramedAlike(session.buffer());
        EXPECT_EQ(session.lines(), buildEventLines(session.buffer(), keys));
        if (session.lines().empty())
            continue;
        session.selectLine(0);
        session.insertMouseKey(MouseButton::Right, MouseKeyAction::Click);
        session.selectLine(static_cast<int>(session.lines().size()) - 1);
        session.deleteSelected();
        expectFramedAlike(session.workingTable()[i].deviceEvents, session.workingTable()[i].hostEvents);
        EXPECT_EQ(session.lines(), buildEventLines(session.buffer(), keys));
    }
}
