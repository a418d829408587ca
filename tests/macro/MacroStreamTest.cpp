// The byte encoding of macro events and the stream operations that every edit is built from.
#include "MacroTestSupport.h"

#include "macro/MacroEventLines.h"

using namespace quenlar;
using namespace quenlar::test;

namespace {

// n short press events 01 04, 01 05, ... in the device stream, host keys 0x41.. in the host stream.
MacroEditBuffer shortEvents(int n) {
    MacroStream device{}, host{};
    for (int i = 0; i < n; ++i) {
        device[2 * i] = host[2 * i] = kPressFlag;
        device[2 * i + 1] = static_cast<uint8_t>(4 + i % 26);
        host[2 * i + 1] = static_cast<uint8_t>(0x41 + i % 26);
    }
    MacroEditBuffer buffer;
    fillEditBuffer(buffer, device, host);
    return buffer;
}

} // namespace

TEST(MacroEvent, DelayEncodingAtTheShortAndLongFormBoundaries) {
    struct Row {
        const char *name;
        int secondFlag; // flag of the event whose delay is set: press 0x01 or release 0x81
        int ms;
        std::vector<int> expected; // the second event's bytes
    };
    const Row rows[] = {
        {"two ms press", 0x01, 2, {0x02, 0x05}},
        {"126 ms press", 0x01, 126, {0x7E, 0x05}},
        {"126 ms release", 0x81, 126, {0xFE, 0x05}},
        {"127 ms press", 0x01, 127, {0x7F, 0x05, 0x00, 0x7F}},
        {"127 ms release", 0x81, 127, {0xFF, 0x05, 0x00, 0x7F}},
        {"500 ms press", 0x01, 500, {0x7F, 0x05, 0x01, 0xF4}},
        {"60000 ms press", 0x01, 60000, {0x7F, 0x05, 0xEA, 0x60}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        MacroEditBuffer buffer = bufferOf({0x01, 0x04, row.secondFlag, 0x05, 0x81, 0x04});
        ASSERT_TRUE(SetEventDelay(buffer, 2, row.ms));
        const int size = static_cast<int>(row.expected.size());
        EXPECT_EQ(std::vector<int>(buffer.deviceEvents.begin() + 2, buffer.deviceEvents.begin() + 2 + size),
                  row.expected);
        // The event after it moved along with it, in both streams.
        EXPECT_EQ(buffer.deviceEvents[2 + size], 0x81);
        EXPECT_EQ(buffer.deviceEvents[3 + size], 0x04);
        EXPECT_EQ(eventDelayMs(buffer.deviceEvents, 2), row.ms);
        EXPECT_EQ(buffer.usedBytes, 4 + size);
        expectFramedAlike(buffer);
    }
}

TEST(MacroEvent, LinesAndOffsetsOfShortDelayedAndLongEvents) {
    // 01 A, 32 B (50 ms), 7F C 01 F4 (500 ms); host keys are the virtual-key codes 'A', 'B', 'C'.
    MacroEditBuffer buffer;
    fillEditBuffer(buffer, streamOf({0x01, 0x04, 0x32, 0x05, 0x7F, 0x06, 0x01, 0xF4}),
                   streamOf({0x01, 'A', 0x32, 'B', 0x7F, 'C', 0x01, 0xF4}));
    KeyNameTable keys;
    EXPECT_EQ(texts(buildEventLines(buffer, keys)),
              (std::vector<std::string>{"A  dn", "50 ms", "B  dn", "500 ms", "C  dn"}));

    struct Row {
        int line;
        std::optional<int> offset;
    };
    const Row rows[] = {{0, 0}, {1, 2}, {3, 4}, {5, 8}, {2, std::nullopt}, {4, std::nullopt}, {6, std::nullopt}};
    for (const Row &row : rows) {
        SCOPED_TRACE(row.line);
        EXPECT_EQ(FindEventOffset(buffer, row.line), row.offset);
    }
    EXPECT_EQ(FindEventOffset(MacroEditBuffer{}, 0), 0);
    EXPECT_EQ(FindEventOffset(MacroEditBuffer{}, 1), std::nullopt);
}

TEST(MacroEvent, DelayChangesGrowAndShrinkTheStream) {
    MacroEditBuffer buffer = bufferOf({0x01, 0x04, 0x14, 0x05, 0x81, 0x05});
    ASSERT_TRUE(SetEventDelay(buffer, 2, 200));
    EXPECT_EQ(head(buffer.deviceEvents, 10), (std::vector<int>{0x01, 0x04, 0x7F, 0x05, 0x00, 0xC8, 0x81, 0x05, 0, 0}));
    EXPECT_EQ(buffer.usedBytes, 8);
    ASSERT_TRUE(SetEventDelay(buffer, 2, 20));
    EXPECT_EQ(head(buffer.deviceEvents, 8), (std::vector<int>{0x01, 0x04, 0x14, 0x05, 0x81, 0x05, 0, 0}));
    EXPECT_EQ(buffer.usedBytes, 6);
    // A long delay changed to another long delay keeps the size.
    ASSERT_TRUE(SetEventDelay(buffer, 4, 1000));
    ASSERT_TRUE(SetEventDelay(buffer, 4, 59999));
    EXPECT_EQ(head(buffer.deviceEvents, 9), (std::vector<int>{0x01, 0x04, 0x14, 0x05, 0xFF, 0x05, 0xEA, 0x5F, 0}));
    expectFramedAlike(buffer);
}

TEST(MacroEvent, DeletingEventsAndDelays) {
    struct Row {
        const char *name;
        std::vector<int> before;
        int offset;
        bool delayOnly;
        std::vector<int> after; // first 10 bytes of the device stream
    };
    const Row rows[] = {
        {"first event; the next one had 300 ms and becomes the first",
         {0x01, 0x04, 0x7F, 0x05, 0x01, 0x2C, 0x81, 0x05}, 0, false,
         {0x01, 0x05, 0x81, 0x05, 0, 0, 0, 0, 0, 0}},
        {"first event; the next release had 300 ms", {0x01, 0x04, 0xFF, 0x04, 0x01, 0x2C}, 0, false,
         {0x81, 0x04, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"middle long event with its delay", {0x01, 0x04, 0x7F, 0x05, 0x01, 0xF4, 0x81, 0x05}, 2, false,
         {0x01, 0x04, 0x81, 0x05, 0, 0, 0, 0, 0, 0}},
        {"last short event", {0x01, 0x04, 0x14, 0x05}, 2, false, {0x01, 0x04, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"only the 500 ms delay", {0x01, 0x04, 0xFF, 0x04, 0x01, 0xF4, 0x01, 0x05}, 2, true,
         {0x01, 0x04, 0x81, 0x04, 0x01, 0x05, 0, 0, 0, 0}},
        {"only a short delay", {0x01, 0x04, 0x94, 0x04}, 2, true, {0x01, 0x04, 0x81, 0x04, 0, 0, 0, 0, 0, 0}},
        {"the only event", {0x01, 0x04}, 0, false, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        MacroStream stream{};
        std::copy(row.before.begin(), row.before.end(), stream.begin());
        MacroEditBuffer buffer;
        fillEditBuffer(buffer, stream, stream);
        DeleteEventAt(buffer, row.offset, row.delayOnly);
        EXPECT_EQ(head(buffer.deviceEvents, 10), row.after);
        EXPECT_EQ(buffer.hostEvents, buffer.deviceEvents);
        expectFramedAlike(buffer);
    }
}

TEST(MacroEvent, FirstEventNeverWaits) {
    struct Row {
        std::vector<int> before;
        std::vector<int> after;
    };
    const Row rows[] = {
        {{0x32, 0x04, 0x81, 0x04}, {0x01, 0x04, 0x81, 0x04, 0}},
        {{0xB2, 0x04, 0x01, 0x04}, {0x81, 0x04, 0x01, 0x04, 0}},
        {{0x7F, 0x04, 0x01, 0xF4, 0x81, 0x04}, {0x01, 0x04, 0x81, 0x04, 0}},
        {{0x00, 0x04}, {0x01, 0x04, 0, 0, 0}},
        {{}, {0, 0, 0, 0, 0}},
    };
    for (const Row &row : rows) {
        MacroStream stream{};
        std::copy(row.before.begin(), row.before.end(), stream.begin());
        MacroEditBuffer buffer;
        fillEditBuffer(buffer, stream, stream);
        NormalizeFirstEvent(buffer);
        EXPECT_EQ(head(buffer.deviceEvents, 5), row.after);
        expectFramedAlike(buffer);
    }
}

TEST(MacroEvent, InsertionKeepsBothStreamsInStep) {
    MacroEditBuffer buffer;
    fillEditBuffer(buffer, streamOf({0x01, 0x04, 0x7F, 0x05, 0x01, 0xF4}), streamOf({0x01, 'A', 0x7F, 'B', 0x01, 0xF4}));
    ASSERT_TRUE(InsertEventAt(buffer, 0, kPressFlag, 'C', 0x06));   // at the start
    ASSERT_TRUE(InsertEventAt(buffer, 4, kReleaseFlag, 'C', 0x06)); // before the long event
    ASSERT_TRUE(InsertEventAt(buffer, 10, kPressFlag, 0xF0, 0xF0)); // at the end
    EXPECT_EQ(head(buffer.deviceEvents, 13),
              (std::vector<int>{0x01, 0x06, 0x01, 0x04, 0x81, 0x06, 0x7F, 0x05, 0x01, 0xF4, 0x01, 0xF0, 0}));
    EXPECT_EQ(head(buffer.hostEvents, 13),
              (std::vector<int>{0x01, 'C', 0x01, 'A', 0x81, 'C', 0x7F, 'B', 0x01, 0xF4, 0x01, 0xF0, 0}));
    EXPECT_EQ(buffer.usedBytes, 12);
    expectFramedAlike(buffer);
}

TEST(MacroEvent, FullAndNearlyFullStreams) {
    // 94 short events use 188 bytes: one more fits, the stream is then full and refuses anything
    // that would grow it, leaving both streams untouched.
    MacroEditBuffer nearlyFull = shortEvents(94);
    ASSERT_EQ(nearlyFull.usedBytes, 188);
    MacroEditBuffer grown = nearlyFull;
    ASSERT_TRUE(SetEventDelay(grown, 100, 300));
    EXPECT_EQ(grown.usedBytes, 190);
    EXPECT_EQ(grown.deviceEvents[189], 4 + 93 % 26) << "the last event moved to the end intact";
    expectFramedAlike(grown);

    ASSERT_TRUE(InsertEventAt(nearlyFull, 40, kPressFlag, 'Z', 29));
    EXPECT_EQ(nearlyFull.usedBytes, 190);
    expectFramedAlike(nearlyFull);

    const MacroEditBuffer full = nearlyFull;
    MacroEditBuffer attempt = full;
    EXPECT_FALSE(InsertEventAt(attempt, 0, kPressFlag, 'Z', 29));
    EXPECT_FALSE(InsertEventAt(attempt, 190, kReleaseFlag, 'Z', 29));
    EXPECT_FALSE(SetEventDelay(attempt, 20, 127));
    EXPECT_EQ(attempt, full);
    // Changes that do not grow the stream still work when it is full.
    ASSERT_TRUE(SetEventDelay(attempt, 20, 126));
    DeleteEventAt(attempt, 0, false);
    EXPECT_EQ(attempt.usedBytes, 188);
    expectFramedAlike(attempt);

    // A full stream ending in a long event.
    MacroEditBuffer longEnd = shortEvents(93);
    ASSERT_TRUE(SetEventDelay(longEnd, 184, 1000));
    ASSERT_TRUE(InsertEventAt(longEnd, 2, kPressFlag, 'Z', 29));
    EXPECT_EQ(longEnd.usedBytes, 190);
    EXPECT_EQ(head(longEnd.deviceEvents, 190).back(), 0xE8);
    EXPECT_FALSE(InsertEventAt(longEnd, 0, kPressFlag, 'Z', 29));
    expectFramedAlike(longEnd);
}

TEST(MacroEvent, StoredStreamsAreFramedAlikeWhenLoaded) {
    struct Row {
        const char *name;
        MacroStream device;
        MacroStream host;
        int end;
        MacroStream expectedHost;
    };
    MacroStream cutLong = shortEvents(94).deviceEvents;
    cutLong[188] = 0x7F; // a long event that would run past the end of the stream
    MacroStream cutLongExpected = cutLong;
    cutLongExpected[188] = cutLongExpected[189] = 0;
    const Row rows[] = {
        {"device stream ends early at a key without a code", streamOf({0x01, 0x04, 0x01, 0x00, 0x01, 0x05}),
         streamOf({0x01, 'A', 0x01, 0xE9, 0x01, 'B'}), 2, streamOf({0x01, 'A'})},
        {"host stream ends early", streamOf({0x01, 0x04, 0x01, 0x05, 0x01, 0x06}),
         streamOf({0x01, 'A', 0x01, 0x00, 0x01, 'C'}), 2, streamOf({0x01, 'A'})},
        {"junk after the end", streamOf({0x01, 0x04, 0x00, 0x00, 0x33}), streamOf({0x01, 'A', 0x00, 0x00, 0x33, 0x44}),
         2, streamOf({0x01, 'A'})},
        {"host flags differ", streamOf({0x01, 0x04, 0x7F, 0x05, 0x01, 0xF4}),
         streamOf({0x01, 'A', 0x02, 'B', 0x09, 0x09}), 6, streamOf({0x01, 'A', 0x7F, 'B', 0x01, 0xF4})},
        {"long event cut by the end of the stream", cutLong, cutLong, 188, cutLongExpected},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        MacroEditBuffer buffer;
        fillEditBuffer(buffer, row.device, row.host);
        EXPECT_EQ(buffer.usedBytes, row.end);
        EXPECT_EQ(buffer.hostEvents, row.expectedHost);
        expectFramedAlike(buffer);
    }
}
