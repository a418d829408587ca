#pragma once
// Every pause of the keyboard protocol goes through a Sleeper, so that the program sleeps for
// real while tests record each pause without waiting.

namespace quenlar {

class Sleeper {
public:
    virtual ~Sleeper() = default;
    // 0 ms is a yield of the calling thread.
    virtual void sleepMs(int ms) = 0;
};

class RealSleeper final : public Sleeper {
public:
    void sleepMs(int ms) override;
};

} // namespace quenlar
