// The playing time of the loaded source in seconds: measured by the media
// interface under the load-time alias; without one (the command line, the
// tests) taken from the header of the checked file.
#include "audiofile/media_commands.h"
#include "shell/application.h"

namespace sc {

double Application::measure_playing_time(const std::string& path) {
    if (platform_.media)
        return static_cast<double>(sc::measure_playing_time(platform_.media, path, ALIAS_LOAD_TIME)) / 1000.0;
    const SourceFormat& f = source_format;
    const double bytes_per_second =
        static_cast<double>(f.sample_rate) * f.channels * (f.bits_per_sample > 0 ? f.bits_per_sample / 8 : 2);
    if (bytes_per_second <= 0) return 0.0;
    return static_cast<int64_t>(f.data_size / bytes_per_second * 1000.0 + 0.5) / 1000.0;
}

}  // namespace sc
