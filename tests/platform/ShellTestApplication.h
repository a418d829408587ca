#pragma once
// A QCoreApplication for the length of one test, unless the process already has one (used by
// the shell and single-instance tests, which need an event loop).

#include <QCoreApplication>
#include <QElapsedTimer>

#include <functional>
#include <memory>

namespace quenlar::testing {

class ShellTestApplication {
public:
    ShellTestApplication() {
        if (!QCoreApplication::instance())
            app_ = std::make_unique<QCoreApplication>(argc_, argv_);
    }

    // Runs the event loop until done() holds or the time-out passes; returns done().
    static bool processEventsUntil(const std::function<bool()> &done, int timeoutMs = 5000) {
        QElapsedTimer timer;
        timer.start();
        while (!done() && timer.elapsed() < timeoutMs)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        return done();
    }

private:
    int argc_ = 1;
    char name_[16] = "platform_tests";
    char *argv_[2] = {name_, nullptr};
    std::unique_ptr<QCoreApplication> app_;
};

} // namespace quenlar::testing
