// The job as the application runs it, and the requests that end it early
// from outside: signals and the window's close button.
#include "platform/interruption.h"
#include "shell/application.h"

namespace sc {

int exit_code_after(int signal) { return signal != 0 ? 128 + signal : 0; }

JobOutcome Application::run_job() {
    struct Running {
        bool& flag;
        explicit Running(bool& f) : flag(f) { flag = true; }
        ~Running() { flag = false; }
    } running(job_running_);
    const JobOutcome outcome = sc::run_job(*this);
    // asked to end while the result was being named: it is complete now
    if (interruption_requested()) ORDENTLICH_ENDE();
    return outcome;
}

void Application::window_closed() {
    if (!job_running_) ORDENTLICH_ENDE();
    close_requested_ = true;
}

bool Application::interruption_requested() const { return close_requested_ || platform::ending_signal() != 0; }

}  // namespace sc
