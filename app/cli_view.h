// The command line as a view of the job. The window's hints, info lines and
// text screens are meant for the window: the command line says what
// happened in its own words once the job is over (cli_file.cpp), so this
// view shows none of them, never waits and only follows the progress.
#pragma once

#include <cstdint>

#include "app/cli_progress.h"
#include "settings/view.h"

namespace sc::cli {

class CliView : public View {
public:
    explicit CliView(Console& console) : console_(console) {}
    ~CliView() override;

    // The progress line of the job from now on; ended with the view.
    void follow(int slot) { slot_ = slot; }

    void job_block(const JobBlockInfo& info) override;
    void result_written(std::string_view) override { wrote_result_ = true; }
    bool shows_envelopes() const override { return false; }
    // The job gave its result its final name.
    bool wrote_result() const { return wrote_result_; }

    // Seconds of audio behind the last block.
    double audio_seconds() const { return audio_seconds_; }

private:
    Console& console_;
    int slot_ = -1;
    double audio_seconds_ = 0.0;
    bool wrote_result_ = false;
};

}  // namespace sc::cli
