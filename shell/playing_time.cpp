// The playing time of the loaded source, in seconds, as the load-time
// measurement takes it: from the header of the checked file (data size over
// bytes per second).
#include "shell/application.h"

namespace sc {

double Application::measure_playing_time(const std::string& /*path*/) {
    const SourceFormat& f = source_format;
    const double bytes_per_second =
        static_cast<double>(f.sample_rate) * f.channels * (f.bits_per_sample > 0 ? f.bits_per_sample / 8 : 2);
    if (bytes_per_second <= 0) return 0.0;
    return static_cast<int64_t>(f.data_size / bytes_per_second * 1000.0 + 0.5) / 1000.0;
}

}  // namespace sc
