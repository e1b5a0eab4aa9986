#include "app/cli_json.h"

#include <cmath>
#include <cstdio>

namespace sc::cli {

namespace {

const char* status_name(FileStatus s) {
    switch (s) {
        case FileStatus::Processed: return "processed";
        case FileStatus::Skipped: return "skipped";
        case FileStatus::NotProcessed: return "not processed";
        case FileStatus::Failed: break;
    }
    return "failed";
}

std::string number(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.3f", v);
    return buf;
}

std::string or_null(const std::string& s) { return s.empty() ? "null" : json_string(s); }

std::string figure(double v) {
    if (!std::isfinite(v)) return "null";
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.2f", v);
    return buf;
}

std::string loudness(const std::optional<Loudness>& l) {
    if (!l) return "null";
    return "{\"integrated_lufs\": " + figure(l->integrated_lufs) + ", \"range_lu\": " + figure(l->range_lu) +
           ", \"true_peak_dbtp\": " + figure(l->true_peak_dbtp) + "}";
}

}  // namespace

std::string json_string(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", u);
            out += buf;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string json_line(const Options& o, const FileResult& r) {
    std::string settings = "{";
    auto add = [&settings](const std::string& key, const std::string& value) {
        settings += (settings.size() > 1 ? ", " : "") + json_string(key) + ": " + value;
    };
    if (o.hpf) add("HPF", std::to_string(*o.hpf));
    for (int b = 0; b < EQ_BANDS; ++b)
        if (o.eq[b]) add("EQ " + std::to_string(EQ_FREQUENCIES[b]), number(*o.eq[b]));
    if (o.input_gain_db) add("INPUTGAIN", std::to_string(*o.input_gain_db));
    if (o.leveler) add("INPUTAUTO", std::to_string(*o.leveler));
    if (o.bypass) add("KOMPR_BYPASS", "1");
    settings += "}";
    const double rtf = r.seconds > 0 ? r.audio_seconds / r.seconds : 0.0;
    return "{\"source\": " + json_string(r.source) + ", \"result\": " + or_null(r.target) +
           ", \"kept\": " + or_null(r.kept) + ", \"preset\": " + json_string(preset(o.preset).procedure) +
           ", \"settings\": " + settings + ", \"status\": " + json_string(status_name(r.status)) +
           ", \"reason\": " + or_null(r.reason) + ", \"seconds\": " + number(r.seconds) +
           ", \"audio_seconds\": " + number(r.audio_seconds) + ", \"realtime_factor\": " + number(rtf) +
           ", \"source_loudness\": " + loudness(r.source_loudness) + ", \"result_loudness\": " +
           loudness(r.result_loudness) + "}";
}

}  // namespace sc::cli
