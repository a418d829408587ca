// The event listener: acknowledgements raise the flag, key requests are handed over in order.

#include "device/KeyEventListener.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <deque>
#include <mutex>

using namespace quenlar;

namespace {

// An event interface fed by the test.
class ScriptedEventHandle final : public HidHandle {
public:
    void push(std::array<uint8_t, 4> report) {
        {
            std::lock_guard lock(mutex_);
            reports_.push_back(report);
        }
        changed_.notify_all();
    }
    int sendFeatureReport(std::span<const uint8_t>) override { return -1; }
    int getFeatureReport(std::span<uint8_t>) override { return -1; }
    int write(std::span<const uint8_t>) override { return -1; }
    int read(std::span<uint8_t> buffer, int timeoutMs) override {
        std::unique_lock lock(mutex_);
        if (!changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return !reports_.empty(); }))
            return 0;
        std::copy(reports_.front().begin(), reports_.front().end(), buffer.begin());
        reports_.pop_front();
        return 4;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::array<uint8_t, 4>> reports_;
};

class Listener : public ::testing::Test {
protected:
    void start() {
        listener.start(handle, [this](uint8_t code) {
            std::lock_guard lock(mutex);
            codes.push_back(code);
            arrived.notify_all();
        });
    }
    bool waitForCodes(std::size_t n) {
        std::unique_lock lock(mutex);
        return arrived.wait_for(lock, std::chrono::seconds(5), [&] { return codes.size() >= n; });
    }

    ScriptedEventHandle handle;
    WriteAck ack;
    ReportTrace trace;
    KeyEventListener listener{ack, trace};
    std::mutex mutex;
    std::condition_variable arrived;
    std::vector<uint8_t> codes;
};

TEST_F(Listener, AcknowledgementRaisesTheFlagAndSendsNoCode) {
    start();
    handle.push({4, 4, 0x55, 0x66});
    ASSERT_TRUE(ack.waitFor(std::chrono::seconds(5)));
    handle.push({4, 1, 9, 0});  // a marker: everything before it has been handled
    ASSERT_TRUE(waitForCodes(1));
    EXPECT_EQ(codes, (std::vector<uint8_t>{9}));
}

TEST_F(Listener, RequestsArriveInOrderWithTheirCodes) {
    start();
    const std::vector<uint8_t> sent = {7, 200, 7, 0, 255, 13};
    for (uint8_t code : sent)
        handle.push({4, static_cast<uint8_t>(code == 13 ? 2 : 1), code, 0});
    ASSERT_TRUE(waitForCodes(sent.size()));
    EXPECT_EQ(codes, sent);
    EXPECT_FALSE(ack.isSet());
}

TEST_F(Listener, StopsWithoutTrafficAndCanStartAgain) {
    start();
    EXPECT_TRUE(listener.running());
    listener.stop();
    EXPECT_FALSE(listener.running());
    start();
    handle.push({4, 1, 42, 0});
    ASSERT_TRUE(waitForCodes(1));
    EXPECT_EQ(codes.front(), 42);
}

TEST(WriteAckFlag, AnAcknowledgementDuringTheWaitIsSeen) {
    WriteAck ack;
    ack.clear();
    std::thread late([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        ack.set();
    });
    EXPECT_TRUE(ack.waitFor(std::chrono::seconds(5)));
    late.join();
    ack.clear();
    EXPECT_FALSE(ack.waitFor(std::chrono::milliseconds(1)));
    EXPECT_EQ(ack.count(), 1);
}

} // namespace
