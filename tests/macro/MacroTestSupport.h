#pragma once
// Fakes and helpers shared by the macro tests: scripted user prompts, a key hook that records
// what it was asked, a clock driven by hand, and builders for event streams.

#include "macro/MacroEditBuffer.h"
#include "macro/MacroEditSession.h"
#include "macro/MacroLibrary.h"
#include "model/KeyNameTable.h"
#include "model/UserPrompts.h"

#include <gtest/gtest.h>

#include <chrono>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace quenlar::test {

struct Shown {
    std::string text;
    std::string caption;
    friend bool operator==(const Shown &, const Shown &) = default;
};

class ScriptedPrompts : public UserPrompts {
public:
    bool answer = true;
    std::vector<Shown> asked;
    std::vector<Shown> informed;

    bool confirm(const std::string &text, const std::string &caption) override {
        asked.push_back({text, caption});
        return answer;
    }
    void inform(const std::string &text, const std::string &caption) override { informed.push_back({text, caption}); }
    std::optional<std::filesystem::path> chooseFileToOpen(const std::string &) override {
        ADD_FAILURE() << "the macro manager never asks for a file";
        return std::nullopt;
    }
    std::optional<std::filesystem::path> chooseFileToSave(const std::string &, const std::string &) override {
        ADD_FAILURE() << "the macro manager never asks for a file";
        return std::nullopt;
    }
};

class FakeHook : public MacroKeyHook {
public:
    bool installSucceeds = true;
    bool installed = false;
    int installs = 0;
    int removals = 0;

    bool install() override {
        ++installs;
        installed = installSucceeds;
        return installSucceeds;
    }
    void remove() override {
        ++removals;
        installed = false;
    }
};

class FakeClock {
public:
    std::chrono::steady_clock::time_point now{std::chrono::hours(1)};
    void advance(std::chrono::microseconds by) { now += by; }
    MacroClock function() {
        return [this] { return now; };
    }
};

inline MacroStream streamOf(std::initializer_list<int> bytes) {
    MacroStream stream{};
    int i = 0;
    for (int b : bytes)
        stream.at(static_cast<std::size_t>(i++)) = static_cast<uint8_t>(b);
    return stream;
}

inline std::vector<int> head(const MacroStream &stream, int count) {
    return std::vector<int>(stream.begin(), stream.begin() + count);
}

// A buffer whose streams hold the given events; host and device streams get the same bytes
// unless told otherwise.
inline MacroEditBuffer bufferOf(std::initializer_list<int> bytes) {
    MacroEditBuffer buffer;
    fillEditBuffer(buffer, streamOf(bytes), streamOf(bytes));
    return buffer;
}

// Both streams one framing, at most 190 bytes, zero after the last event, every key byte set.
inline void expectFramedAlike(const MacroStream &device, const MacroStream &host) {
    const int end = streamEnd(device);
    ASSERT_LE(end, kMacroStreamSize);
    int offset = 0;
    while (offset < end) {
        const int size = eventSize(device[offset]);
        EXPECT_EQ(host[offset], device[offset]) << "flag byte at " << offset;
        EXPECT_NE(host[offset + 1], 0) << "host key byte at " << offset;
        for (int i = 2; i < size; ++i)
            EXPECT_EQ(host[offset + i], device[offset + i]) << "delay byte at " << offset + i;
        offset += size;
    }
    EXPECT_EQ(offset, end);
    for (int i = end; i < kMacroStreamSize; ++i) {
        EXPECT_EQ(device[i], 0) << "device byte " << i << " after the end at " << end;
        EXPECT_EQ(host[i], 0) << "host byte " << i << " after the end at " << end;
    }
}

inline void expectFramedAlike(const MacroEditBuffer &buffer) {
    expectFramedAlike(buffer.deviceEvents, buffer.hostEvents);
    EXPECT_EQ(buffer.usedBytes, streamEnd(buffer.deviceEvents));
}

inline std::vector<std::string> texts(const std::vector<EventLine> &lines) {
    std::vector<std::string> out;
    for (const auto &line : lines)
        out.push_back(line.text);
    return out;
}

// A working session over a master table, with every fake reachable.
class SessionFixture : public ::testing::Test {
protected:
    KeyNameTable keys;
    ScriptedPrompts prompts;
    FakeHook hook;
    FakeClock clock;
    std::unique_ptr<MacroTable> master = std::make_unique<MacroTable>();
    std::unique_ptr<MacroEditSession> session;

    // Opens the session on a master table holding the named macros (empty events).
    void openWith(std::initializer_list<const char16_t *> names, Language language = Language::English) {
        for (auto &record : *master)
            record = MacroRecord{};
        int i = 0;
        for (const char16_t *name : names) {
            setMacroName((*master)[i], name);
            (*master)[i].loopCount = 1;
            ++i;
        }
        session = std::make_unique<MacroEditSession>(keys, prompts, hook, language, clock.function());
        session->open(*master);
    }

    // Opens one macro holding the given events in both streams (host keys = device keys).
    void openWithEvents(std::initializer_list<int> host, std::initializer_list<int> device) {
        for (auto &record : *master)
            record = MacroRecord{};
        setMacroName((*master)[0], u"Macro_001");
        (*master)[0].loopCount = 1;
        (*master)[0].hostEvents = streamOf(host);
        (*master)[0].deviceEvents = streamOf(device);
        session = std::make_unique<MacroEditSession>(keys, prompts, hook, Language::English, clock.function());
        session->open(*master);
    }

    void key(int vk, bool release, int afterMs = 0) {
        clock.advance(std::chrono::milliseconds(afterMs));
        session->onHookKey(vk, release);
    }
    void tap(int vk, int afterMs = 0, int holdMs = 0) {
        key(vk, false, afterMs);
        key(vk, true, holdMs);
    }

    const MacroRecord &selectedRecord() const { return session->workingTable()[*session->selectedMacro()]; }
    std::vector<std::string> lineTexts() const { return texts(session->lines()); }

    // The session's buffer, its record and its lines agree, and the streams are framed alike.
    void expectConsistent() {
        const MacroEditBuffer &buffer = session->buffer();
        expectFramedAlike(buffer);
        if (session->selectedMacro()) {
            EXPECT_EQ(selectedRecord().deviceEvents, buffer.deviceEvents);
            EXPECT_EQ(selectedRecord().hostEvents, buffer.hostEvents);
        }
        EXPECT_EQ(session->lines(), buildEventLines(buffer, keys));
    }
};

} // namespace quenlar::test
