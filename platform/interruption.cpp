#include "platform/interruption.h"

#include <signal.h>

#include <atomic>

namespace sc::platform {

namespace {

std::atomic<int> caught{0};
static_assert(std::atomic<int>::is_always_lock_free, "the handler stores into it");

constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP};

void on_ending_signal(int signal) {
    int none = 0;
    if (caught.compare_exchange_strong(none, signal)) return;
    // asked again while the first request is served: end now
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}

}  // namespace

void catch_ending_signals() {
    struct sigaction action{};
    action.sa_handler = on_ending_signal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int s : kEndingSignals) ::sigaction(s, &action, nullptr);
}

int ending_signal() { return caught.load(); }

void record_ending_signal(int signal) {
    int none = 0;
    caught.compare_exchange_strong(none, signal);
}

void clear_ending_signal() { caught.store(0); }

}  // namespace sc::platform
