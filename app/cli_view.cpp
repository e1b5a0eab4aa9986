#include "app/cli_view.h"

namespace sc::cli {

CliView::~CliView() {
    if (slot_ >= 0) console_.end_file(slot_);
}

void CliView::job_block(const JobBlockInfo& info) {
    audio_seconds_ = info.audio_seconds;
    if (slot_ >= 0) console_.advance(slot_, info.done_bytes, info.audio_seconds);
}

}  // namespace sc::cli
