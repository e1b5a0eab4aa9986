#include "app/cli_listing.h"

#include <cmath>
#include <cstdio>
#include <sstream>
#include <vector>

#include "app/cli_listing_texts.h"
#include "settings/parameter_steps.h"

namespace sc::cli {

namespace {

namespace L = listing_texts;

std::string fixed(double v, int decimals, bool sign = false) {
    char buf[32];
    std::snprintf(buf, sizeof buf, sign ? "%+.*f" : "%.*f", decimals, v);
    return buf;
}

// A number without a trailing ".0" ("2.5", "3", "0.891").
std::string plain(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", v);
    return buf;
}

std::string gain_db(float gain) {
    return gain <= 0.0f ? std::string("-inf") : fixed(20.0 * std::log10(static_cast<double>(gain)), 1, true);
}

std::string level_dbfs(int32_t amplitude) {
    return amplitude <= 0 ? std::string("-inf") : fixed(db_of_amplitude(amplitude), 1, true);
}

std::string time_text(const TimeSetting& t) {
    std::string s = time_value_text(t.value);
    if (s.back() != 's') s += " ms";
    else s.insert(s.size() - 1, " ");
    return s;
}

std::string leveler_text(int32_t mode, int16_t language) {
    return std::string(mode == 1 ? L::FAST(language) : mode == 2 ? L::SLOW(language) : L::OFF(language));
}

std::string hpf_text(int32_t hpf, int16_t language) {
    return hpf == 0 ? std::string(L::OFF(language)) : std::to_string(hpf) + " Hz";
}

std::string gate_text(int16_t gate, int16_t language) {
    return gate == 0 ? std::string(L::OFF(language)) : std::to_string(gate);
}

// The bands of the equalizer that are not flat, "250 Hz +2, 1 kHz -1".
std::string eq_text(const ParameterSet& p, int16_t language) {
    std::string out;
    for (int b = 0; b < EQ_BANDS; ++b) {
        if (p.EQ[b] == 0.0f) continue;
        std::string label = EQ_LABELS[b];
        label.erase(0, label.find_first_not_of(' '));
        label.erase(label.find_last_not_of(' ') + 1);
        out += (out.empty() ? "" : ", ") + label + " " + (p.EQ[b] > 0 ? "+" : "") + plain(p.EQ[b]);
    }
    return out.empty() ? std::string(L::FLAT(language)) : out;
}

std::string group_text(PresetGroup g, int16_t language) {
    switch (g) {
        case PresetGroup::Panel: return std::string(L::GROUP_PANEL(language));
        case PresetGroup::Vocal: return std::string(L::GROUP_VOCAL(language));
        case PresetGroup::Instrument: break;
    }
    return std::string(L::GROUP_INSTRUMENT(language));
}

// What a preset does, in one line.
std::string summary(const PresetRecord& r, int16_t language) {
    ParameterSet p;
    p.INPUTGAIN = r.input_gain;
    p.EQ = r.eq;
    std::ostringstream out;
    out << L::SUMMARY_GAIN(language) << " " << fixed(std::floor(20.0 * std::log10(r.input_gain) + 1e-6), 0, true)
        << " dB, " << L::SUMMARY_LEVELER(language) << " " << leveler_text(r.input_auto, language) << ", HPF "
        << hpf_text(r.hpf, language) << ", EQ " << eq_text(p, language) << "; " << L::SUMMARY_BANDS(language) << " "
        << r.threshold_db[0] << "/" << r.threshold_db[1] << "/" << r.threshold_db[2] << " dBFS "
        << L::SUMMARY_AT(language) << " " << plain(r.ratio) << ":1";
    if (r.gates[0] || r.gates[1] || r.gates[2])
        out << ", " << L::SUMMARY_GATES(language) << " " << r.gates[0] << "/" << r.gates[1] << "/" << r.gates[2];
    out << "; " << L::SUMMARY_LIMITER(language) << " " << fixed(std::round(db_of_amplitude(r.limi_thr)), 0) << " dB";
    if (r.limi_outgain != 1.0f) out << " +" << fixed(20.0 * std::log10(r.limi_outgain), 1) << " dB";
    return out.str();
}

struct Row {
    std::string name;
    std::string value;
};

void print_rows(std::ostringstream& out, const std::vector<Row>& rows) {
    std::size_t width = 0;
    for (const auto& r : rows) width = std::max(width, r.name.size());
    for (const auto& r : rows) out << "  " << r.name << std::string(width + 2 - r.name.size(), ' ') << r.value << '\n';
}

}  // namespace

std::string presets_listing(int16_t language) {
    std::ostringstream out;
    int n = 0;
    for (const auto& r : factory_presets()) {
        ++n;
        out << (n < 10 ? " " : "") << n << "  " << r.label(language) << "  (" << r.procedure << ", "
            << group_text(r.group, language) << ")\n";
        out << "    de: \"" << r.label.de << "\"   en: \"" << r.label.en << "\"\n";
        out << "    " << summary(r, language) << "\n";
    }
    return out.str();
}

std::string settings_listing(const ParameterSet& p, const std::string& preset_name, int16_t language) {
    std::ostringstream out;
    out << L::SETTINGS_HEAD(language) << preset_name << "\n";
    std::vector<Row> rows{
        {"INPUTGAIN", gain_db(p.INPUTGAIN) + " dB"},
        {"INPUTAUTO", leveler_text(p.INPUTAUTO, language) + " (" + std::string(L::LEVELER_TIMES(language)) + " " +
                          plain(p.LEVE_ATT / 10000.0) + " s / " + plain(p.LEVE_REL / 10000.0) + " s, " +
                          std::string(L::TARGET(language)) + " " + level_dbfs(p.LEVE_TARGET) + " dBFS)"},
        {"HPF", hpf_text(p.HPF, language)},
    };
    for (int b = 0; b < EQ_BANDS; ++b) {
        std::string label = EQ_LABELS[b];
        label.erase(0, label.find_first_not_of(' '));
        rows.push_back({"EQ " + label, (p.EQ[b] > 0 ? "+" : "") + plain(p.EQ[b]) + " dB"});
    }
    const struct {
        const char* suffix;
        Band band;
    } bands[] = {{"BASS", Band::Bass}, {"MIDD", Band::Midd}, {"HIGH", Band::High}};
    ParameterSet q = p;
    for (const auto& b : bands) {
        const std::string s = b.suffix;
        rows.push_back({"KOMPR_THR" + s, level_dbfs(threshold_of(q, b.band)) + " dBFS"});
        rows.push_back({"KOMPR_RAT" + s, plain(ratio_of(q, b.band)) + ":1"});
        rows.push_back({"KOMPR_ATT" + s, time_text(attack_of(q, b.band))});
        rows.push_back({"KOMPR_REL" + s, time_text(release_of(q, b.band))});
        const float makeup = makeup_of(q, b.band);
        rows.push_back({"KOMPR_OUT" + s, makeup <= 0.0f ? std::string(L::MUTE(language)) : gain_db(makeup) + " dB"});
    }
    for (const auto& b : bands) rows.push_back({std::string("GATE") + b.suffix, gate_text(gate_of(q, b.band), language)});
    rows.push_back({"KOMPR_BYPASS", p.KOMPR_BYPASS ? std::string(L::ON(language)) : std::string(L::OFF(language))});
    rows.push_back({"LIMI_THR", level_dbfs(p.LIMI_THR) + " dB"});
    rows.push_back({"LIMI_ATT", time_text(p.LIMI_ATT)});
    rows.push_back({"LIMI_REL", time_text(p.LIMI_REL)});
    rows.push_back({"LIMI_OUTGAIN", gain_db(p.LIMI_OUTGAIN) + " dB"});
    rows.push_back({"OUTFORMAT", p.OUTFORMAT == 1 ? std::string("WAV")
                                                  : "MP3 " + std::to_string(outformat_bitrate(p.OUTFORMAT, 2)) + "/" +
                                                        std::to_string(outformat_bitrate(p.OUTFORMAT, 1)) +
                                                        " kbit/s (stereo/mono)"});
    print_rows(out, rows);
    return out.str();
}

}  // namespace sc::cli
