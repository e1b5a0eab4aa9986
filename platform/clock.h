// The clock: a seconds timer with fractions, and pauses in milliseconds.
#pragma once

namespace sc::platform {

class Clock {
public:
    virtual ~Clock() = default;
    // Seconds since an arbitrary start, with fractions.
    virtual double timer() = 0;
    virtual void sleep_ms(int ms) = 0;
};

// The machine's monotonic clock; pauses really wait.
Clock& real_clock();

// A clock for tests and for the command line: pauses cost no real time, they
// only advance the clock.
class VirtualClock final : public Clock {
public:
    double timer() override { return now_; }
    void sleep_ms(int ms) override {
        if (ms > 0) now_ += ms / 1000.0;
    }
    void advance(double seconds) { now_ += seconds; }

private:
    double now_ = 0.0;
};

// The machine's clock without the pauses: for the command line, where the
// short waits of the window (and between file steps) would only cost time.
class NoPauseClock final : public Clock {
public:
    double timer() override { return real_clock().timer(); }
    void sleep_ms(int) override {}
};

}  // namespace sc::platform
