#include "device/Sleeper.h"

#include <chrono>
#include <thread>

namespace quenlar {

void RealSleeper::sleepMs(int ms) {
    if (ms <= 0)
        std::this_thread::yield();
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

} // namespace quenlar
