// Editing the selected macro through its event list: loading, captured-key insertion before and
// after a line, mouse-button events, delays, deletion and the in-place delay edit.
#include "MacroTestSupport.h"

using namespace quenlar;
using namespace quenlar::test;

namespace {

using Lines = std::vector<std::string>;

class MacroEditing : public SessionFixture {
protected:
    // A dn, 50 ms, B dn, 500 ms, A up, B up  (host: virtual-key codes; device: usages)
    void openSample() {
        openWithEvents({0x01, 'A', 0x32, 'B', 0xFF, 'A', 0x01, 0xF4, 0x81, 'B'},
                       {0x01, 0x04, 0x32, 0x05, 0xFF, 0x04, 0x01, 0xF4, 0x81, 0x05});
    }
    // A macro of taps of A that uses `bytes` bytes (an even number).
    void openFilled(int bytes) {
        MacroStream host{}, device{};
        for (int i = 0; i < bytes / 2; ++i) {
            host[2 * i] = device[2 * i] = i % 2 ? kReleaseFlag : kPressFlag;
            host[2 * i + 1] = 'A';
            device[2 * i + 1] = 0x04;
        }
        for (auto &record : *master)
            record = MacroRecord{};
        setMacroName((*master)[0], u"Macro_001");
        (*master)[0].loopCount = 1;
        (*master)[0].hostEvents = host;
        (*master)[0].deviceEvents = device;
        session = std::make_unique<MacroEditSession>(keys, prompts, hook, Language::English, clock.function());
        session->open(*master);
        ASSERT_EQ(session->buffer().usedBytes, bytes);
    }
    std::vector<int> hostHead(int n) const { return head(selectedRecord().hostEvents, n); }
    std::vector<int> deviceHead(int n) const { return head(selectedRecord().deviceEvents, n); }
};

const Lines kSampleLines = {"A  dn", "50 ms", "B  dn", "500 ms", "A  up", "B  up"};

} // namespace

TEST_F(MacroEditing, LoadShowsEveryEventAndItsDelay) {
    openSample();
    EXPECT_EQ(lineTexts(), kSampleLines);
    EXPECT_FALSE(session->selectedLine());
    EXPECT_EQ(session->buffer().usedBytes, 10);
    // Every line maps back to the event it shows.
    for (int line = 0; line < static_cast<int>(session->lines().size()); ++line) {
        const EventLine &shown = session->lines()[line];
        const bool firstLineOfEvent = shown.isDelay() || line == 0 || !session->lines()[line - 1].isDelay();
        if (firstLineOfEvent) {
            EXPECT_EQ(FindEventOffset(session->buffer(), line), shown.eventOffset) << line;
        }
    }
    // An empty macro shows nothing.
    openWithEvents({}, {});
    EXPECT_TRUE(session->lines().empty());
    EXPECT_EQ(session->buffer().usedBytes, 0);
}

TEST_F(MacroEditing, CapturedKeyGoesBeforeOrAfterTheWholeEvent) {
    struct Row {
        const char *name;
        bool before;
        int selected;
        Lines lines;
        std::vector<int> host; // first 14 bytes of the host stream
    };
    const Row rows[] = {
        {"before line 0", true, 0, {"C  dn", "C  up", "A  dn", "50 ms", "B  dn", "500 ms", "A  up", "B  up"},
         {0x01, 'C', 0x81, 'C', 0x01, 'A', 0x32, 'B', 0xFF, 'A', 0x01, 0xF4, 0x81, 'B'}},
        {"before a key line with a delay line", true, 2,
         {"A  dn", "C  dn", "C  up", "50 ms", "B  dn", "500 ms", "A  up", "B  up"},
         {0x01, 'A', 0x01, 'C', 0x81, 'C', 0x32, 'B', 0xFF, 'A', 0x01, 0xF4, 0x81, 'B'}},
        {"before a delay line", true, 3, {"A  dn", "50 ms", "B  dn", "C  dn", "C  up", "500 ms", "A  up", "B  up"},
         {0x01, 'A', 0x32, 'B', 0x01, 'C', 0x81, 'C', 0xFF, 'A', 0x01, 0xF4, 0x81, 'B'}},
        {"after a delay line", false, 1, {"A  dn", "50 ms", "B  dn", "C  dn", "C  up", "500 ms", "A  up", "B  up"},
         {0x01, 'A', 0x32, 'B', 0x01, 'C', 0x81, 'C', 0xFF, 'A', 0x01, 0xF4, 0x81, 'B'}},
        {"after a key line", false, 0, {"A  dn", "C  dn", "C  up", "50 ms", "B  dn", "500 ms", "A  up", "B  up"},
         {0x01, 'A', 0x01, 'C', 0x81, 'C', 0x32, 'B', 0xFF, 'A', 0x01, 0xF4, 0x81, 'B'}},
        {"after the last line", false, 5, {"A  dn", "50 ms", "B  dn", "500 ms", "A  up", "B  up", "C  dn", "C  up"},
         {0x01, 'A', 0x32, 'B', 0xFF, 'A', 0x01, 0xF4, 0x81, 'B', 0x01, 'C', 0x81, 'C'}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        openSample();
        session->selectLine(row.selected);
        row.before ? session->insertBefore() : session->insertAfter();
        EXPECT_TRUE(session->capturePending());
        EXPECT_TRUE(hook.installed);
        tap('C');
        EXPECT_FALSE(session->capturePending());
        EXPECT_FALSE(hook.installed);
        EXPECT_EQ(lineTexts(), row.lines);
        EXPECT_EQ(hostHead(14), row.host);
        ASSERT_TRUE(session->selectedLine());
        EXPECT_EQ(lineTexts()[*session->selectedLine()], kSampleLines[row.selected]) << "the selection stays on its line";
        expectConsistent();
    }
}

TEST_F(MacroEditing, CaptureInsertsRepeatsAndEndsWithTheFirstRelease) {
    openSample();
    session->selectLine(0);
    session->insertAfter();
    key('C', false);
    key('C', false); // auto-repeat: another press
    key(95, false);  // a key the keyboard has no code for: skipped
    key(95, true);   // ... and its release does not end the capture
    EXPECT_TRUE(session->capturePending());
    key('D', false);
    key('C', true); // the first release ends the capture, whichever key
    EXPECT_FALSE(session->capturePending());
    key('D', true); // no longer captured
    EXPECT_EQ(lineTexts(), (Lines{"A  dn", "C  dn", "C  dn", "D  dn", "C  up", "50 ms", "B  dn", "500 ms", "A  up",
                                  "B  up"}));
    EXPECT_EQ(deviceHead(10), (std::vector<int>{0x01, 0x04, 0x01, 0x06, 0x01, 0x06, 0x01, 0x07, 0x81, 0x06}));
    expectConsistent();
}

TEST_F(MacroEditing, CaptureTakesPrecedenceOverRecording) {
    openWith({u"Macro_001"});
    session->toggleRecording();
    tap('A');
    session->selectLine(0);
    session->insertBefore();
    tap('B');
    EXPECT_EQ(lineTexts(), (Lines{"B  dn", "B  up", "A  dn", "A  up"}));
    // The capture's release removed the hook; the button still reads Stop Recording.
    EXPECT_TRUE(session->recording());
    EXPECT_FALSE(session->hookActive());
    tap('C');
    EXPECT_EQ(session->lines().size(), 4u);
}

TEST_F(MacroEditing, CommandsCancelAPendingCapture) {
    // Not recording: the hook installed for the capture goes with it, and later keys change nothing.
    openSample();
    session->selectLine(0);
    session->insertBefore();
    session->selectLine(5);
    session->insertMouseKey(MouseButton::Left, MouseKeyAction::Down);
    EXPECT_FALSE(session->capturePending());
    EXPECT_FALSE(hook.installed);
    const MacroRecord before = selectedRecord();
    tap('C');
    EXPECT_EQ(selectedRecord(), before);

    // Recording: the hook stays and recording goes on.
    openWith({u"Macro_001"});
    session->toggleRecording();
    tap('A');
    session->selectLine(0);
    session->insertAfter();
    session->selectLine(1);
    session->deleteSelected();
    EXPECT_FALSE(session->capturePending());
    EXPECT_TRUE(hook.installed);
    tap('B');
    EXPECT_EQ(lineTexts(), (Lines{"A  dn", "B  dn", "B  up"}));
}

TEST_F(MacroEditing, MouseKeys) {
    struct Row {
        MouseButton button;
        MouseKeyAction action;
        Lines inserted;
        std::vector<int> bytes;
    };
    const Row rows[] = {
        {MouseButton::Left, MouseKeyAction::Down, {"MsLB dn"}, {0x01, 0xF0}},
        {MouseButton::Left, MouseKeyAction::Up, {"MsLB up"}, {0x81, 0xF0}},
        {MouseButton::Left, MouseKeyAction::Click, {"MsLB dn", "MsLB up"}, {0x01, 0xF0, 0x81, 0xF0}},
        {MouseButton::Right, MouseKeyAction::Down, {"MsRB dn"}, {0x01, 0xF1}},
        {MouseButton::Right, MouseKeyAction::Up, {"MsRB up"}, {0x81, 0xF1}},
        {MouseButton::Right, MouseKeyAction::Click, {"MsRB dn", "MsRB up"}, {0x01, 0xF1, 0x81, 0xF1}},
        {MouseButton::Middle, MouseKeyAction::Down, {"MsMB dn"}, {0x01, 0xF2}},
        {MouseButton::Middle, MouseKeyAction::Up, {"MsMB up"}, {0x81, 0xF2}},
        {MouseButton::Middle, MouseKeyAction::Click, {"MsMB dn", "MsMB up"}, {0x01, 0xF2, 0x81, 0xF2}},
    };
    struct Where {
        int selected;
        int firstNewLine;
        int offset;
    };
    // After a key line, after a delay line (after its key line), after the last line.
    const Where places[] = {{2, 3, 4}, {3, 5, 8}, {5, 6, 10}};
    for (const Row &row : rows) {
        for (const Where &place : places) {
            SCOPED_TRACE(row.inserted[0] + " after line " + std::to_string(place.selected));
            openSample();
            session->selectLine(place.selected);
            session->insertMouseKey(row.button, row.action);
            Lines expected = kSampleLines;
            expected.insert(expected.begin() + place.firstNewLine, row.inserted.begin(), row.inserted.end());
            EXPECT_EQ(lineTexts(), expected);
            const int n = static_cast<int>(row.bytes.size());
            for (const auto &stream : {selectedRecord().hostEvents, selectedRecord().deviceEvents})
                EXPECT_EQ(std::vector<int>(stream.begin() + place.offset, stream.begin() + place.offset + n), row.bytes);
            EXPECT_EQ(session->selectedLine(), place.selected);
            expectConsistent();
        }
    }
    // Without a selected line nothing happens.
    openSample();
    session->insertMouseKey(MouseButton::Left, MouseKeyAction::Click);
    EXPECT_EQ(lineTexts(), kSampleLines);
}

TEST_F(MacroEditing, InsertDelay) {
    openSample();
    session->selectLine(4); // "A up" sits above "B up", which has no delay line
    session->insertDelay();
    EXPECT_EQ(lineTexts(), (Lines{"A  dn", "50 ms", "B  dn", "500 ms", "A  up", "50 ms", "B  up"}));
    EXPECT_EQ(hostHead(11), (std::vector<int>{0x01, 'A', 0x32, 'B', 0xFF, 'A', 0x01, 0xF4, 0xB2, 'B', 0}));
    EXPECT_FALSE(session->selectedLine()) << "the list is reloaded";
    expectConsistent();

    // On the key line above a long delay: the delay becomes 50 ms and the stream shrinks.
    openSample();
    session->selectLine(2);
    session->insertDelay();
    EXPECT_EQ(lineTexts(), (Lines{"A  dn", "50 ms", "B  dn", "50 ms", "A  up", "B  up"}));
    EXPECT_EQ(session->buffer().usedBytes, 8);
    expectConsistent();

    // The last line, or no line: nothing.
    openSample();
    session->insertDelay();
    session->selectLine(5);
    session->insertDelay();
    EXPECT_EQ(lineTexts(), kSampleLines);
    EXPECT_TRUE(prompts.informed.empty());
}

TEST_F(MacroEditing, InsertDelayOnADelayLineAsksForAnEditInstead) {
    for (const Language language : {Language::English, Language::Chinese}) {
        prompts = ScriptedPrompts{};
        openSample();
        session = std::make_unique<MacroEditSession>(keys, prompts, hook, language, clock.function());
        session->open(*master);
        session->selectLine(1);
        session->insertDelay();
        EXPECT_EQ(lineTexts(), kSampleLines);
        ASSERT_EQ(prompts.informed.size(), 1u);
        EXPECT_EQ(prompts.informed[0], language == Language::English
                                           ? (Shown{"Please edit current delay\n", "Macro Manager"})
                                           : (Shown{"请编辑当前延时\n", "宏管理"}));
    }
}

TEST_F(MacroEditing, Delete) {
    struct Row {
        const char *name;
        int selected;
        Lines lines;
        int used;
    };
    const Row rows[] = {
        {"a 500 ms delay line", 3, {"A  dn", "50 ms", "B  dn", "A  up", "B  up"}, 8},
        {"a short delay line", 1, {"A  dn", "B  dn", "500 ms", "A  up", "B  up"}, 10},
        {"a key line with its delay line", 4, {"A  dn", "50 ms", "B  dn", "B  up"}, 6},
        {"the delay line's key line", 2, {"A  dn", "500 ms", "A  up", "B  up"}, 8},
        {"the first event: the next one loses its delay", 0, {"B  dn", "500 ms", "A  up", "B  up"}, 8},
        {"the last line", 5, {"A  dn", "50 ms", "B  dn", "500 ms", "A  up"}, 8},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        openSample();
        session->selectLine(row.selected);
        session->deleteSelected();
        EXPECT_EQ(lineTexts(), row.lines);
        EXPECT_EQ(session->buffer().usedBytes, row.used);
        EXPECT_FALSE(session->selectedLine());
        expectConsistent();
    }
    openSample();
    session->deleteSelected();
    EXPECT_EQ(lineTexts(), kSampleLines);
}

TEST_F(MacroEditing, DelayEdit) {
    struct Row {
        int line;
        int entered;
        int stored;
        int used;
    };
    const Row rows[] = {
        {1, 200, 200, 12}, // a short delay grows into the long form
        {3, 20, 20, 8},    // a long one shrinks
        {3, 70000, 60000, 10},
        {1, 0, 2, 10},
        {1, 1, 2, 10},
        {1, 126, 126, 10},
        {3, 127, 127, 10},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(std::to_string(row.line) + ": " + std::to_string(row.entered));
        openSample();
        session->selectLine(row.line);
        ASSERT_TRUE(session->editDelay(row.line, row.entered));
        EXPECT_EQ(lineTexts()[row.line], std::to_string(row.stored) + " ms");
        EXPECT_EQ(lineTexts().size(), kSampleLines.size());
        EXPECT_EQ(session->selectedLine(), row.line);
        EXPECT_EQ(eventDelayMs(selectedRecord().deviceEvents, session->lines()[row.line].eventOffset), row.stored);
        EXPECT_EQ(session->buffer().usedBytes, row.used);
        expectConsistent();
    }
}

TEST_F(MacroEditing, FullAndNearlyFullStreamsRefuseWhatDoesNotFit) {
    enum class Op { CaptureBefore, CaptureAfter, MouseDown, MouseUp, MouseClick, LongDelayEdit, InsertDelay };
    struct Row {
        const char *name;
        Op op;
        int bytes;
        int usedAfter;  // unchanged when refused
        bool refused;
    };
    const Row rows[] = {
        {"capture, full", Op::CaptureBefore, 190, 190, true},
        {"capture, one event left", Op::CaptureAfter, 188, 188, true},
        {"capture, two events left", Op::CaptureBefore, 186, 190, false},
        {"mouse down, full", Op::MouseDown, 190, 190, true},
        {"mouse down, nearly full", Op::MouseDown, 188, 190, false},
        {"mouse up, full", Op::MouseUp, 190, 190, true},
        {"mouse up, nearly full", Op::MouseUp, 188, 190, false},
        {"mouse click, nearly full", Op::MouseClick, 188, 188, true},
        {"mouse click, two events left", Op::MouseClick, 186, 190, false},
        {"long delay edit, full", Op::LongDelayEdit, 190, 190, true},
        {"long delay edit, nearly full", Op::LongDelayEdit, 188, 190, false},
        {"insert delay, full", Op::InsertDelay, 190, 190, false},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        prompts = ScriptedPrompts{};
        openFilled(row.bytes);
        const MacroRecord before = selectedRecord();
        switch (row.op) {
        case Op::CaptureBefore:
        case Op::CaptureAfter:
            session->selectLine(3);
            row.op == Op::CaptureBefore ? session->insertBefore() : session->insertAfter();
            tap('C');
            EXPECT_FALSE(session->capturePending());
            EXPECT_FALSE(hook.installed);
            break;
        case Op::MouseDown:
        case Op::MouseUp:
        case Op::MouseClick:
            session->selectLine(3);
            session->insertMouseKey(MouseButton::Middle, row.op == Op::MouseDown ? MouseKeyAction::Down
                                                         : row.op == Op::MouseUp   ? MouseKeyAction::Up
                                                                                   : MouseKeyAction::Click);
            break;
        case Op::LongDelayEdit:
            session->selectLine(0);
            session->insertDelay(); // gives the second event a 50 ms delay line
            ASSERT_TRUE(session->lines()[1].isDelay());
            EXPECT_EQ(session->editDelay(1, 1000), !row.refused);
            break;
        case Op::InsertDelay:
            session->selectLine(0);
            session->insertDelay();
            EXPECT_EQ(session->lines()[1].text, "50 ms");
            break;
        }
        EXPECT_EQ(session->buffer().usedBytes, row.usedAfter);
        if (row.refused) {
            ASSERT_EQ(prompts.informed.size(), 1u);
            EXPECT_EQ(prompts.informed[0],
                      (Shown{"The macro is full: there is no room for this change.\n", "Macro Manager"}));
            if (row.op != Op::LongDelayEdit) {
                EXPECT_EQ(selectedRecord(), before);
            }
        } else {
            EXPECT_TRUE(prompts.informed.empty());
        }
        expectConsistent();
    }
}
