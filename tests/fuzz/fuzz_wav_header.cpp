// Both source checks over an in-memory file. The input is the start of the
// file; its last 4 bytes give a tail of zero bytes behind it, so that the
// fuzzer reaches the job-start check (45000 bytes and more) and files of
// 4 GiB and more without holding them.
//
// Checked beyond "no crash": nothing is read from outside the file, an
// accepted file has its samples inside the file, only an extensible block
// with room for its sub-format counts as PCM under another tag, and the
// samples never reach behind the end of the file, whatever the data size
// field says (0xFFFFFFFF and sizes past the end included).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "audiofile/chunk_walk.h"
#include "audiofile/source_checks.h"

namespace {

class MemoryFile final : public sc::platform::File {
public:
    MemoryFile(const uint8_t* data, std::size_t size, uint64_t tail) : data_(data), size_(size), length_(size + tail) {}
    uint64_t length() override { return length_; }
    std::size_t read_at(uint64_t pos, void* buf, std::size_t n) override {
        if (pos >= length_) std::abort();  // a read outside the file
        const std::size_t count = static_cast<std::size_t>(std::min<uint64_t>(n, length_ - pos));
        auto* out = static_cast<uint8_t*>(buf);
        for (std::size_t i = 0; i < count; ++i) out[i] = pos + i < size_ ? data_[pos + i] : 0;
        return count;
    }
    bool write(const void*, std::size_t) override { std::abort(); }
    bool write_at(uint64_t, const void*, std::size_t) override { std::abort(); }
    bool close() override { return true; }

private:
    const uint8_t* data_;
    std::size_t size_;
    uint64_t length_;
};

void check_accepted(const sc::SourceFormat& fmt, uint64_t length) {
    const bool sound = fmt.data_start >= 1 && fmt.data_size >= 0 &&
                       static_cast<uint64_t>(fmt.data_start - 1) + static_cast<uint64_t>(fmt.data_size) <= length &&
                       fmt.data_end == fmt.data_start - 8 + fmt.data_size && (fmt.channels == 1 || fmt.channels == 2) &&
                       fmt.sample_rate >= sc::SAMPLE_RATE_MIN && fmt.sample_rate <= sc::SAMPLE_RATE_MAX &&
                       fmt.data_size <= static_cast<int32_t>(sc::DATA_SIZE_LIMIT);
    if (!sound) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    uint32_t tail = 0;
    if (size >= 4) {
        std::memcpy(&tail, data + size - 4, 4);
        size -= 4;
    }
    sc::ProgramState state;
    sc::View view;
    sc::platform::VirtualClock clock;

    MemoryFile file(data, size, tail);
    const uint64_t length = file.length();
    const sc::ChunkWalk walk = sc::walk_chunks(file);
    if (walk.format_tag != walk.header_format_tag &&
        (walk.format_tag != sc::FORMAT_TAG_PCM || walk.header_format_tag != sc::FORMAT_TAG_EXTENSIBLE ||
         walk.fmt_size < 40 || static_cast<uint64_t>(walk.fmt_position - 1) + 48 > length))
        std::abort();
    if (walk.stage == sc::WalkStage::Complete &&
        static_cast<uint64_t>(walk.data_position - 1) + 8 + walk.data_bytes() > length)
        std::abort();
    sc::SourceFormat fmt;
    if (!sc::load_time_check(file, fmt, state, view, clock)) {
        check_accepted(fmt, length);
        if (fmt.mono24 != (fmt.bits_per_sample == 24 && fmt.channels == 1)) std::abort();
    }

    const int8_t mono24 = fmt.mono24;
    if (sc::job_start_check(file, fmt, state, view) == sc::JOB_ACCEPTED) {
        check_accepted(fmt, length);
        if (fmt.chunk_position != fmt.data_start || fmt.musifile_flag != 0) std::abort();
    }
    if (fmt.mono24 != mono24) std::abort();  // the job-start check leaves the flag alone
    return 0;
}
