#include <chrono>
#include <thread>

#include "platform/clock.h"

namespace sc::platform {

namespace {

class SteadyClock final : public Clock {
public:
    double timer() override {
        using namespace std::chrono;
        return duration<double>(steady_clock::now() - start_).count();
    }
    void sleep_ms(int ms) override {
        if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    }

private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

}  // namespace

Clock& real_clock() {
    static SteadyClock clock;
    return clock;
}

}  // namespace sc::platform
