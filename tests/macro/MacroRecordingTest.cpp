// Recording a macro from the keys the key capture delivers, with delays measured on a clock the
// test drives by hand.
#include "MacroTestSupport.h"

#include "macro/MacroSlots.h"

#include <set>

using namespace quenlar;
using namespace quenlar::test;
using std::chrono::microseconds;
using std::chrono::milliseconds;

namespace {

// Every press in the stream is followed later by the release of the same key, so the keyboard
// never replays a key that stays down.
void expectNoKeyLeftDown(const MacroStream &host) {
    std::multiset<int> down;
    const int end = streamEnd(host);
    for (int offset = 0; offset < end; offset += eventSize(host[offset])) {
        if (!isRelease(host[offset]))
            down.insert(host[offset + 1]);
        else if (auto it = down.find(host[offset + 1]); it != down.end())
            down.erase(it);
    }
    EXPECT_TRUE(down.empty()) << down.size() << " keys pressed and never released";
}

class MacroRecording : public SessionFixture {
protected:
    void startRecording(bool withDelays) {
        openWith({u"Macro_001"});
        if (withDelays)
            session->toggleDelayMode();
        session->toggleRecording();
        ASSERT_TRUE(session->recording());
        ASSERT_TRUE(session->hookActive());
    }
    void at(microseconds after, int vk, bool release) {
        clock.advance(after);
        session->onHookKey(vk, release);
    }
};

} // namespace

TEST_F(MacroRecording, KeyWithoutDelays) {
    startRecording(false);
    tap('A', 1000, 300);
    EXPECT_EQ(head(selectedRecord().hostEvents, 5), (std::vector<int>{0x01, 0x41, 0x81, 0x41, 0}));
    EXPECT_EQ(head(selectedRecord().deviceEvents, 5), (std::vector<int>{0x01, 0x04, 0x81, 0x04, 0}));
    EXPECT_TRUE(std::all_of(selectedRecord().deviceEvents.begin() + 4, selectedRecord().deviceEvents.end(),
                            [](uint8_t b) { return b == 0; }));
    EXPECT_EQ(lineTexts(), (std::vector<std::string>{"A  dn", "A  up"}));
    EXPECT_EQ(session->selectedLine(), 1);
    EXPECT_EQ(session->buffer().usedBytes, 4);
    EXPECT_EQ(session->buffer().eventCount, 2);

    KeyboardState state;
    PackMacroSlots(session->accept(), state);
    EXPECT_EQ(std::vector<int>(state.macroSlot(0).begin(), state.macroSlot(0).begin() + 7),
              (std::vector<int>{0x00, 0x01, 0x01, 0x04, 0x81, 0x04, 0}));
}

TEST_F(MacroRecording, DelaysAreMeasuredBetweenTransitions) {
    struct Step {
        microseconds after;
        int vk;
        bool release;
    };
    const Step steps[] = {
        {microseconds(5'000'000), 'A', false},  // first event: never a delay
        {microseconds(30'900), 'A', true},      // 30.9 ms counts as 30
        {microseconds(200'000), 'B', false},    // long form
        {microseconds(1'000), 'B', true},       // exactly 1 ms: no delay
        {microseconds(70'000'000), 'C', false}, // capped at 60000
        {microseconds(400), 'C', true},         // under 1 ms: no delay
        {microseconds(126'999), 'D', false},    // longest short delay
        {microseconds(127'000), 'D', true},     // shortest long delay
    };
    startRecording(true);
    for (const Step &step : steps)
        at(step.after, step.vk, step.release);
    EXPECT_EQ(head(selectedRecord().hostEvents, 25),
              (std::vector<int>{0x01, 'A', 0x9E, 'A', 0x7F, 'B', 0x00, 0xC8, 0x81, 'B', 0x7F, 'C', 0xEA, 0x60,
                                0x81, 'C', 0x7E, 'D', 0xFF, 'D', 0x00, 0x7F, 0, 0, 0}));
    EXPECT_EQ(head(selectedRecord().deviceEvents, 4), (std::vector<int>{0x01, 0x04, 0x9E, 0x04}));
    EXPECT_EQ(lineTexts(), (std::vector<std::string>{"A  dn", "30 ms", "A  up", "200 ms", "B  dn", "B  up",
                                                     "60000 ms", "C  dn", "C  up", "126 ms", "D  dn", "127 ms",
                                                     "D  up"}));
    EXPECT_EQ(selectedRecord().delayFlag, 1);
    expectConsistent();
}

TEST_F(MacroRecording, HeldKeyRecordsOnePressAndOneRelease) {
    startRecording(true);
    at(milliseconds(10), 'A', false);
    for (int i = 0; i < 5; ++i)
        at(milliseconds(33), 'A', false); // auto-repeat
    at(milliseconds(35), 'A', true);
    at(milliseconds(35), 'A', true); // a second release of the same key adds nothing
    EXPECT_EQ(lineTexts(), (std::vector<std::string>{"A  dn", "200 ms", "A  up"}));
    EXPECT_EQ(head(selectedRecord().hostEvents, 5), (std::vector<int>{0x01, 'A', 0xFF, 'A', 0x00}));
    EXPECT_EQ(eventDelayMs(selectedRecord().hostEvents, 2), 200);
}

TEST_F(MacroRecording, KeysWithoutADeviceCodeAreNotRecorded) {
    startRecording(true);
    ASSERT_EQ(keys.usage(95), 0);
    at(milliseconds(10), 'A', false);
    at(milliseconds(100), 95, false);
    at(milliseconds(100), 95, true);
    at(milliseconds(100), 'A', true);
    at(milliseconds(100), 0, false);
    EXPECT_EQ(lineTexts(), (std::vector<std::string>{"A  dn", "300 ms", "A  up"}));
    EXPECT_EQ(session->buffer().usedBytes, 6);
    expectConsistent();
}

TEST_F(MacroRecording, StartClearsTheEventsAndStopRemovesTheHook) {
    openWith({u"Macro_001"});
    (*master)[0].deviceEvents = streamOf({0x01, 0x05, 0x81, 0x05});
    (*master)[0].hostEvents = streamOf({0x01, 'B', 0x81, 'B'});
    (*master)[0].loopCount = 9;
    (*master)[0].delayFlag = 1;
    session->open(*master);
    ASSERT_EQ(session->lines().size(), 2u);

    session->toggleRecording();
    EXPECT_EQ(hook.installs, 1);
    EXPECT_TRUE(session->lines().empty());
    EXPECT_EQ(selectedRecord().deviceEvents, MacroStream{});
    EXPECT_EQ(selectedRecord().hostEvents, MacroStream{});
    EXPECT_EQ(selectedRecord().nameView(), u"Macro_001");
    EXPECT_EQ(selectedRecord().loopCount, 9);
    EXPECT_EQ(selectedRecord().delayFlag, 1);

    tap('C', 5, 5);
    session->toggleRecording();
    EXPECT_FALSE(session->recording());
    EXPECT_FALSE(hook.installed);
    EXPECT_EQ(hook.removals, 1);
    tap('D', 5, 5); // the capture is gone; nothing more is recorded
    EXPECT_EQ(lineTexts(), (std::vector<std::string>{"C  dn", "5 ms", "C  up"}));
}

TEST_F(MacroRecording, RecordButtonNeedsASelectedMacro) {
    for (const Language language : {Language::English, Language::Chinese}) {
        prompts = ScriptedPrompts{};
        openWith({}, language);
        session->toggleRecording();
        EXPECT_FALSE(session->recording());
        EXPECT_EQ(hook.installs, 0);
        ASSERT_EQ(prompts.informed.size(), 1u);
        EXPECT_EQ(prompts.informed[0], language == Language::English
                                           ? (Shown{"Please select a Macro file to record \n", "Macro Manager"})
                                           : (Shown{"请选择一个宏指令文件录制\n", "宏管理器"}));
    }
}

TEST_F(MacroRecording, NothingIsRecordedWithoutTheHook) {
    openWith({u"Macro_001"});
    tap('A', 5, 5); // not recording
    EXPECT_TRUE(session->lines().empty());

    hook.installSucceeds = false;
    session->toggleRecording();
    EXPECT_TRUE(session->recording()) << "the button still reads Stop Recording";
    EXPECT_FALSE(session->hookActive());
    tap('A', 5, 5);
    EXPECT_TRUE(session->lines().empty());
    EXPECT_EQ(selectedRecord().deviceEvents, MacroStream{});
}

TEST_F(MacroRecording, AnInPlaceEditStopsRecording) {
    startRecording(false);
    tap('A');
    session->editStarting();
    EXPECT_FALSE(session->recording());
    EXPECT_FALSE(hook.installed);
    tap('B');
    EXPECT_EQ(lineTexts(), (std::vector<std::string>{"A  dn", "A  up"}));
}

TEST_F(MacroRecording, FullStreamsStayFramedAndReleaseEveryPress) {
    struct Row {
        const char *name;
        bool withDelays;
        int delayMs; // between transitions
        int heldTogether; // keys pressed before they are released
    };
    const Row rows[] = {
        {"no delays, one key at a time", false, 10, 1},
        {"short delays, one key at a time", true, 20, 1},
        {"long delays, one key at a time", true, 500, 1},
        {"long delays, three keys held together", true, 500, 3},
        {"no delays, six keys held together", false, 10, 6},
        {"mixed: short presses, long releases", true, -1, 2},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        startRecording(row.withDelays);
        int step = 0;
        auto delay = [&] { return row.delayMs >= 0 ? row.delayMs : (++step % 2 ? 20 : 400); };
        for (int round = 0; round < 60; ++round) {
            for (int k = 0; k < row.heldTogether; ++k)
                key('A' + (round + k) % 26, false, delay());
            for (int k = 0; k < row.heldTogether; ++k)
                key('A' + (round + k) % 26, true, delay());
            expectConsistent();
            ASSERT_LE(session->buffer().usedBytes, kMacroStreamSize);
        }
        EXPECT_GE(session->buffer().usedBytes, 180) << "the stream was filled";
        expectNoKeyLeftDown(selectedRecord().hostEvents);
    }
}

TEST_F(MacroRecording, PressesStopAt184BytesWhileReleasesGoOn) {
    startRecording(false);
    for (int i = 0; i < 46; ++i)
        tap('A' + i % 2); // 46 taps of 4 bytes: 184 bytes
    ASSERT_EQ(session->buffer().usedBytes, 184);
    const std::size_t lines = session->lines().size();
    key('C', false);
    EXPECT_EQ(session->lines().size(), lines) << "no press at 184 bytes";
    key('C', true);
    EXPECT_EQ(session->buffer().usedBytes, 186);
    EXPECT_EQ(session->lines().back().text, "C  up");
    // Releases of keys that were never recorded stop when nothing is left.
    for (int vk : {'D', 'E', 'F', 'G'})
        key(vk, true);
    EXPECT_EQ(session->buffer().usedBytes, 190);
    expectConsistent();
}

TEST_F(MacroRecording, TwoHeldKeysNearTheEndCannotOverrunTheStream) {
    // 178 bytes, then two long-delayed presses: the second would leave no room for both
    // releases, so it is not recorded and both releases still fit.
    startRecording(true);
    key('A', false, 10);
    for (int i = 0; i < 43; ++i)
        key('A', i % 2 == 0, 200);
    tap('B', 20, 20);
    ASSERT_EQ(session->buffer().usedBytes, 178);
    key('X', false, 500);
    key('Y', false, 500);
    key('X', true, 500);
    key('Y', true, 500);
    EXPECT_LE(session->buffer().usedBytes, kMacroStreamSize);
    const std::vector<std::string> lines = lineTexts();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "X  dn"), 1);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "X  up"), 1);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Y  dn"), 0);
    expectConsistent();
    expectNoKeyLeftDown(selectedRecord().hostEvents);
}

TEST_F(MacroRecording, ADirectInsertionThatCannotBeStoredIsRefused) {
    startRecording(false);
    // A key the keyboard has no code for.
    EXPECT_EQ(session->InsertMacroToList(95, session->buffer().usedBytes, 0, false), 0);
    // A stream filled to its last byte takes no further event.
    for (int i = 0; i < kMacroStreamSize / 2; ++i)
        ASSERT_EQ(session->InsertMacroToList('A', session->buffer().usedBytes, 0, i % 2 == 1), 2 * (i + 1));
    const auto before = session->buffer();
    EXPECT_EQ(session->InsertMacroToList('B', kMacroStreamSize, 0, false), kMacroStreamSize);
    EXPECT_EQ(session->buffer(), before);
    EXPECT_EQ(session->buffer().usedBytes, kMacroStreamSize);
}
