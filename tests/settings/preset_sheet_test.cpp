// Every factory preset, checked value by value against the preset sheets as
// published in the manual: input stage and equalizer, then bands and limiter.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "settings/parameter_steps.h"
#include "settings/presets.h"

namespace sc {
namespace {

const char* const kInputSheet = R"(
| VOC_soft | `SETUP_VOICESOFT` | 1.6 (+4) | off | off | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 |
| VOC_hard | `SETUP_VOICEHARD` | 2 (+6) | fast | off | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 |
| MUS_soft | `SETUP_MUSICSOFT` | 1.6 (+4) | slow | off | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 |
| MUS_hard | `SETUP_MUSICHARD` | 2 (+6) | fast | off | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 |
| Sopran/Soprano Soft | `SETUP_SOPRAN_SOFT` | 2 (+6) | fast | 150 | 0 | 0 | +2 | 0 | 0 | −1 | −1 | 0 | +1 | 0 | +1 | 0 |
| Sopran/Soprano Medium | `SETUP_SOPRAN_MEDIUM` | 2 (+6) | fast | 150 | 0 | 0 | +2 | +0.5 | 0 | −1 | −1 | 0 | +1 | 0 | +1 | 0 |
| Sopran/Soprano Hart/Hard | `SETUP_SOPRAN_HARD` | 2 (+6) | fast | 150 | 0 | 0 | +2 | +0.5 | 0 | −1 | −1 | 0 | +1 | 0 | +1 | 0 |
| Alt/Alto Soft | `SETUP_ALT_SOFT` | 2 (+6) | fast | 120 | 0 | 0 | +1 | 0 | 0 | 0 | 0 | 0 | +1 | 0 | +1 | 0 |
| Alt/Alto Medium | `SETUP_ALT_MEDIUM` | 2 (+6) | fast | 120 | 0 | 0 | +1 | 0 | 0 | 0 | 0 | 0 | +1 | 0 | +1 | 0 |
| Alt/Alto Hart/Hard | `SETUP_ALT_HARD` | 2 (+6) | fast | 120 | 0 | 0 | +1 | 0 | 0 | 0 | 0 | 0 | +1 | 0 | +1 | 0 |
| Bass Soft | `SETUP_BASS_SOFT` | 2 (+6) | fast | 100 | +1 | +1 | −1 | −1 | 0 | 0 | 0 | 0 | +2 | 0 | 0 | 0 |
| Bass Medium | `SETUP_BASS_MEDIUM` | 2 (+6) | fast | 100 | +1 | +1 | −1 | −1 | 0 | 0 | 0 | 0 | +2 | 0 | 0 | 0 |
| Bass Hart/Hard | `SETUP_BASS_HARD` | 2 (+6) | fast | 100 | +1 | +1 | −1 | −1 | 0 | 0 | 0 | 0 | +2 | 0 | 0 | 0 |
| BassDrum allgemein/general | `SETUP_BD_ALLG` | 2 (+6) | off | off | +5 | −1 | −5 | −8 | −4 | 0 | 0 | +4 | +9 | +6 | +2 | −3 |
| BassDrum mehr Druck/more drive | `SETUP_BD_DRUCK` | 2 (+6) | off | off | +6 | 0 | −5 | −8 | −4 | 0 | 0 | +4 | +9 | +6 | +2 | −3 |
| Snare allgemein/general | `SETUP_SN_ALLG` | 2 (+6) | off | 100 | 0 | +3 | +1 | −1 | −3 | 0 | 0 | 0 | +2 | +3 | 0 | −1 |
| Snare kontrolliert/controlled | `SETUP_SN_KONT` | 2 (+6) | off | 100 | 0 | +3 | +1 | −1 | −3 | 0 | 0 | 0 | +2 | +3 | 0 | −1 |
| Snare knallt/popping | `SETUP_SN_KNALL` | 2 (+6) | off | 100 | 0 | +3 | +1 | −1 | −3 | 0 | 0 | 0 | +2 | +3 | 0 | −1 |
| Toms allgemein/general | `SETUP_TOM_ALLG` | 2 (+6) | off | off | 0 | 0 | 0 | −2 | −3 | 0 | 0 | +3 | +5 | +2 | +1 | 0 |
| Overhead allgemein/general | `SETUP_OH_ALLG` | 2 (+6) | fast | 150 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | +1 | +2 | +1 | −1 |
| E−Bass allgemein/general | `SETUP_EB_ALLG` | 2 (+6) | off | off | 0 | +1 | +2 | +1 | −1 | +1 | +3 | 0 | −2 | 0 | −2 | −6 |
| Slap−Bass allgemein/general | `SETUP_SLB_ALLG` | 2 (+6) | off | off | 0 | +1 | +3 | +1 | −1 | 0 | +3 | +1 | +3 | +1 | 0 | −6 |
| Slap−Bass dicht/dense | `SETUP_SLB_DICHT` | 2 (+6) | off | off | 0 | +1 | +3 | +1 | −1 | 0 | +3 | +1 | +3 | +1 | 0 | −6 |
| E−Git clean | `SETUP_EG_CLEAN` | 2 (+6) | fast | 100 | +1 | +2 | +2 | +1 | 0 | −1 | −1 | 0 | −4 | −4 | −4 | −4 |
| E−Git lead | `SETUP_EG_LEAD` | 2 (+6) | fast | 100 | +1 | +2 | +2 | +1 | 0 | −1 | −1 | +1 | −2 | −4 | −4 | −4 |
| A−Git allgemein/general | `SETUP_AG_ALLG` | 2 (+6) | fast | 100 | 0 | −2 | +1 | +1 | −2 | −1 | −1 | −3 | −3 | −2 | −2 | −3 |
| Streicher/Strings allgemein/general | `SETUP_ST_ALLG` | 2 (+6) | fast | 100 | +1 | +1 | −1 | −1 | 0 | 0 | 0 | 0 | +2 | 0 | 0 | 0 |
)";

const char* const kBandSheet = R"(
| VOC_soft | −10 / −9 / −14 | 2.5 | 6/6/3 (14 / 4.5 / 0.5) | 10/10/11 (1.6 s / 800 / 380) | 1 / 1 / 1 | 0/0/0 | 29152 (−1) | 8 (9) | 5 (130) | 1 |
| VOC_hard | −8 / −7 / −12 | 4 | 3/3/2 (5 / 1.5 / 0.3) | 6/6/6 (380 / 180 / 60) | 1.13 / 1 / 1 | 0/0/0 | 29152 (−1) | 7 (6) | 4 (80) | 1 |
| MUS_soft | −13 / −12 / −20 | 2.25 | 12/13/9 (130 / 60 / 4.5) | 15/16/9 (10 s / 7.4 s / 180) | 1.1225 / 1 / 0.891266 | 0/0/0 | 28997 (−1) | 8 (9) | 3 (60) | 1 |
| MUS_hard | −10 / −9 / −14 | 3.5 | 11/11/8 (85 / 28 / 3) | 13/13/8 (5.1 s / 2.5 s / 130) | 1.1225 / 1 / 1 | 0/0/0 | 29178 (−1) | 7 (6) | 3 (60) | 1 |
| Sopran/Soprano Soft | −15 / −9 / −14 | 1.75 | 7/9/7 (20 / 13 / 2) | 9/10/8 (1.1 s / 800 / 130) | 1 / 1 / 1 | 0/0/0 | 29178 (−1) | 9 (13) | 6 (180) | 1 |
| Sopran/Soprano Medium | −15 / −9 / −14 | 2.25 | 5/7/5 (10 / 6 / 1.1) | 7/8/6 (550 / 380 / 60) | 1.13 / 1.13 / 1.13 | 0/0/0 | 29178 (−1) | 7 (6) | 5 (130) | 1 |
| Sopran/Soprano Hart/Hard | −15 / −9 / −14 | 3 | 4/4/3 (7 / 2 / 0.5) | 5/5/4 (260 / 130 / 28) | 1.26 / 1.26 / 1.26 | 0/0/0 | 29178 (−1) | 7 (6) | 5 (130) | 1 |
| Alt/Alto Soft | −14 / −9 / −14 | 1.75 | 8/10/8 (28 / 20 / 3) | 10/11/9 (1.6 s / 1.1 s / 180) | 1 / 1 / 1 | 0/0/0 | 29178 (−1) | 9 (13) | 6 (180) | 1 |
| Alt/Alto Medium | −14 / −9 / −14 | 2.25 | 6/8/6 (14 / 9 / 1.5) | 8/9/7 (800 / 550 / 80) | 1 / 1 / 1 | 0/0/0 | 29178 (−1) | 8 (9) | 5 (130) | 1 |
| Alt/Alto Hart/Hard | −14 / −9 / −14 | 3 | 4/4/4 (7 / 2 / 0.8) | 6/7/5 (380 / 260 / 40) | 1 / 1 / 1 | 0/0/0 | 29178 (−1) | 6 (4.5) | 5 (130) | 1 |
| Bass Soft | −12 / −9 / −14 | 1.75 | 9/11/9 (40 / 28 / 4.5) | 11/12/10 (2.5 s / 1.6 s / 260) | 1 / 1 / 1.125 | 0/0/0 | 29178 (−1) | 10 (20) | 7 (260) | 1 |
| Bass Medium | −12 / −9 / −14 | 2.25 | 7/9/7 (20 / 13 / 2) | 9/9/8 (1.1 s / 550 / 130) | 1 / 1 / 1.125 | 0/0/0 | 29178 (−1) | 8 (9) | 6 (180) | 1 |
| Bass Hart/Hard | −12 / −9 / −14 | 3 | 5/7/5 (10 / 6 / 1.1) | 7/7/6 (550 / 260 / 60) | 1 / 1 / 1.125 | 0/0/0 | 29178 (−1) | 7 (6) | 5 (130) | 1 |
| BassDrum allgemein/general | −12 / −20 / −30 | 3 | 5/5/5 (10 / 3 / 1.1) | 6/7/6 (380 / 260 / 60) | 1.125 / 1 / 1 | 6/5/4 | 26006 (−2) | 7 (6) | 11 (1.1 s) | 1 |
| BassDrum mehr Druck/more drive | −10 / −18 / −30 | 4 | 7/7/7 (20 / 6 / 2) | 6/7/6 (380 / 260 / 60) | 1.26 / 1 / 1.26 | 6/5/4 | 26006 (−2) | 7 (6) | 11 (1.1 s) | 1 |
| Snare allgemein/general | −14 / −12 / −14 | 3 | 4/4/4 (7 / 2 / 0.8) | 7/7/7 (550 / 260 / 80) | 1.26 / 1 / 1.125 | 5/5/4 | 29178 (−1) | 7 (6) | 5 (130) | 1 |
| Snare kontrolliert/controlled | −14 / −12 / −27 | 4 | 3/3/1 (5 / 1.5 / 0.2) | 9/9/10 (1.1 s / 550 / 260) | 1.26 / 1 / 1.125 | 5/5/4 | 16384 (−6) | 3 (1.5) | 8 (380) | 1.42 |
| Snare knallt/popping | −20 / −18 / −26 | 3 | 9/9/9 (40 / 13 / 4.5) | 7/7/7 (550 / 260 / 80) | 1.26 / 1 / 1.125 | 5/5/4 | 20608 (−4) | 3 (1.5) | 8 (380) | 1.26 |
| Toms allgemein/general | −12 / −20 / −30 | 2.5 | 6/6/6 (14 / 4.5 / 1.5) | 7/8/7 (550 / 380 / 80) | 1.26 / 1 / 1 | 6/6/4 | 26006 (−2) | 7 (6) | 11 (1.1 s) | 1 |
| Overhead allgemein/general | −12 / −9 / −14 | 2.5 | 8/8/8 (28 / 9 / 3) | 11/11/11 (2.5 s / 1.1 s / 380) | 1 / 1 / 1 | 0/0/0 | 29178 (−1) | 7 (6) | 5 (130) | 1 |
| E-Bass allgemein/general | −9 / −21 / −30 | 2 | 9/9/9 (40 / 13 / 4.5) | 12/12/12 (3.6 s / 1.6 s / 550) | 1 / 1 / 1 | 0/0/0 | 26006 (−2) | 7 (6) | 9 (550) | 1 |
| Slap-Bass allgemein/general | −9 / −21 / −30 | 2.25 | 6/7/7 (14 / 6 / 2) | 7/8/8 (550 / 380 / 130) | 1.13 / 1 / 1 | 0/0/0 | 28997 (−1) | 7 (6) | 9 (550) | 1 |
| Slap-Bass dicht/dense | −9 / −21 / −30 | 2.25 | 6/7/7 (14 / 6 / 2) | 7/8/8 (550 / 380 / 130) | 1.13 / 1 / 1 | 0/0/0 | 20479 (−4) | 13 (60) | 15 (5.1 s) | 1 |
| E-Git clean | −12 / −9 / −14 | 2 | 5/7/5 (10 / 6 / 1.1) | 7/7/6 (550 / 260 / 60) | 1 / 1 / 1.125 | 0/0/4 | 29178 (−1) | 7 (6) | 5 (130) | 1 |
| E-Git lead | −12 / −9 / −14 | 3 | 6/7/6 (14 / 6 / 1.5) | 8/8/7 (800 / 380 / 80) | 1 / 1 / 1.125 | 0/0/4 | 29178 (−1) | 7 (6) | 5 (130) | 1 |
| A-Git allgemein/general | −12 / −9 / −14 | 2 | 7/7/7 (20 / 6 / 2) | 9/9/9 (1.1 s / 550 / 180) | 1 / 1 / 1.125 | 0/0/4 | 29178 (−1) | 7 (6) | 5 (130) | 1 |
| Streicher/Strings allgemein/general | −9 / −9 / −12 | 2 | 5/7/5 (10 / 6 / 1.1) | 8/8/8 (800 / 380 / 130) | 1 / 1 / 1.125 | 0/0/0 | 29178 (−1) | 7 (6) | 5 (130) | 1 |
)";

std::string replace_all(std::string s, const std::string& from, const std::string& to) {
    for (std::size_t i = 0; (i = s.find(from, i)) != std::string::npos; i += to.size()) s.replace(i, from.size(), to);
    return s;
}

std::string trim(const std::string& s) {
    const auto b = s.find_first_not_of(' ');
    if (b == std::string::npos) return "";
    return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

// Rows of a sheet, cells trimmed, the typographic minus made ASCII.
std::vector<std::vector<std::string>> rows_of(const char* sheet) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream in(replace_all(sheet, "−", "-"));
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty()) continue;
        std::vector<std::string> cells;
        std::istringstream cs(line);
        std::string cell;
        std::getline(cs, cell, '|');  // before the first bar
        while (std::getline(cs, cell, '|')) cells.push_back(trim(cell));
        rows.push_back(cells);
    }
    return rows;
}

// "6/6/3 (14 / 4.5 / 0.5)" -> {"6","6","3"} and {"14","4.5","0.5"}
void split_figures(const std::string& cell, std::vector<std::string>& before, std::vector<std::string>& inside) {
    const auto open = cell.find('(');
    auto split = [](const std::string& s) {
        std::vector<std::string> out;
        std::istringstream in(s);
        std::string part;
        while (std::getline(in, part, '/')) {
            part = trim(part);
            if (!part.empty()) out.push_back(part);
        }
        return out;
    };
    before = split(cell.substr(0, open));
    inside = open == std::string::npos ? std::vector<std::string>{}
                                       : split(cell.substr(open + 1, cell.find(')') - open - 1));
}

double number(const std::string& s) { return std::stod(s); }

class RecordingHost : public PresetHost {
public:
    explicit RecordingHost(ParameterSet& p) : p_(p) {}
    void reset_time_sample_rate() override { calls += "rate "; }
    void reset_running_gain(int which) override { calls += "gain" + std::to_string(which) + " "; }
    void K_KURVE_ERZEUGEN_LIMI() override {
        calls += "limi ";
        limiter_curve_threshold = p_.LIMI_THR;
    }
    void ATT_REL_ANRATEANPASSEN() override { calls += "times "; }
    void D__DECKELZEIGEN() override {
        calls += "redraw";
        snap_displayed_settings(p_);
    }
    std::string calls;
    int32_t limiter_curve_threshold = 0;

private:
    ParameterSet& p_;
};

TEST(FactoryPresets, EveryValueOfBothSheetsIsApplied) {
    const auto inputs = rows_of(kInputSheet);
    const auto bands = rows_of(kBandSheet);
    ASSERT_EQ(inputs.size(), 27u);
    ASSERT_EQ(bands.size(), 27u);

    for (std::size_t row = 0; row < inputs.size(); ++row) {
        const auto& in = inputs[row];
        const auto& band = bands[row];
        const std::string procedure = replace_all(in[1], "`", "");
        SCOPED_TRACE(procedure);
        const auto id = find_preset(procedure);
        ASSERT_TRUE(id.has_value());

        ParameterSet p;
        p.KOMPR_BYPASS = 1;
        p.OUTFORMAT = 4;
        RecordingHost host(p);
        apply_preset(p, *id, VocalFlags{}, host);

        EXPECT_EQ(host.calls, "rate gain1 limi gain2 times redraw");
        EXPECT_EQ(p.KOMPR_BYPASS, 1);
        EXPECT_EQ(p.OUTFORMAT, 4);

        // input gain "2 (+6)": the redraw leaves exactly the whole dB
        const std::string gain = in[2];
        const int gain_db = std::stoi(gain.substr(gain.find('(') + 1));
        EXPECT_FLOAT_EQ(p.INPUTGAIN, static_cast<float>(std::pow(10.0, gain_db / 20.0)));

        const int mode = in[3] == "off" ? 0 : in[3] == "fast" ? 1 : 2;
        EXPECT_EQ(p.INPUTAUTO, mode);
        const bool slow_times = mode == 2 || procedure == "SETUP_VOICESOFT";
        EXPECT_EQ(p.LEVE_ATT, slow_times ? 8000 : 4000);
        EXPECT_EQ(p.LEVE_REL, slow_times ? 100000 : 60000);
        EXPECT_EQ(p.LEVE_TARGET, 13003);
        EXPECT_EQ(p.HPF, in[4] == "off" ? 0 : std::stoi(in[4]));
        for (int b = 0; b < EQ_BANDS; ++b) EXPECT_FLOAT_EQ(p.EQ[b], number(in[5 + b])) << "EQ band " << b + 1;

        std::vector<std::string> idx, figures;
        split_figures(band[1], idx, figures);
        const int32_t thresholds[3] = {p.KOMPR_THRBASS, p.KOMPR_THRMIDD, p.KOMPR_THRHIGH};
        for (int k = 0; k < 3; ++k) EXPECT_EQ(thresholds[k], amplitude_of_db(number(idx[k]))) << "threshold " << k;

        const float ratio = static_cast<float>(number(band[2]));
        EXPECT_EQ(p.KOMPR_RATBASS, ratio);
        EXPECT_EQ(p.KOMPR_RATMIDD, ratio);
        EXPECT_EQ(p.KOMPR_RATHIGH, ratio);

        auto check_times = [](const std::string& cell, const TimeSetting* const settings[3], int count) {
            std::vector<std::string> i, f;
            split_figures(cell, i, f);
            for (int k = 0; k < count; ++k) {
                EXPECT_EQ(settings[k]->index, std::stoi(i[k])) << cell;
                EXPECT_EQ(time_value_text(settings[k]->value), replace_all(f[k], " s", "s")) << cell;
            }
        };
        const TimeSetting* att[3] = {&p.KOMPR_ATTBASS, &p.KOMPR_ATTMIDD, &p.KOMPR_ATTHIGH};
        const TimeSetting* rel[3] = {&p.KOMPR_RELBASS, &p.KOMPR_RELMIDD, &p.KOMPR_RELHIGH};
        check_times(band[3], att, 3);
        check_times(band[4], rel, 3);

        split_figures(band[5], idx, figures);
        EXPECT_FLOAT_EQ(p.KOMPR_OUTBASS, number(idx[0]));
        EXPECT_FLOAT_EQ(p.KOMPR_OUTMIDD, number(idx[1]));
        EXPECT_FLOAT_EQ(p.KOMPR_OUTHIGH, number(idx[2]));
        split_figures(band[6], idx, figures);
        EXPECT_EQ(p.GATEBASS, std::stoi(idx[0]));
        EXPECT_EQ(p.GATEMIDD, std::stoi(idx[1]));
        EXPECT_EQ(p.GATEHIGH, std::stoi(idx[2]));

        // "29152 (-1)": the curve is built from the stored amplitude, the
        // redraw then leaves the whole dB
        split_figures(band[7], idx, figures);
        EXPECT_EQ(host.limiter_curve_threshold, std::stoi(idx[0]));
        EXPECT_EQ(p.LIMI_THR, amplitude_of_db(number(figures[0])));
        EXPECT_EQ(snap_LIMI_THR(p), std::stoi(figures[0]));

        const TimeSetting* la[1] = {&p.LIMI_ATT};
        const TimeSetting* lr[1] = {&p.LIMI_REL};
        check_times(band[8], la, 1);
        check_times(band[9], lr, 1);
        EXPECT_FLOAT_EQ(p.LIMI_OUTGAIN, number(band[10]));
    }
}

}  // namespace
}  // namespace sc
