#include "settings/parameter_steps.h"

#include <algorithm>
#include <cmath>

namespace sc {

namespace {

// A dB value computed back from a float that sits on a grid point can come
// out a hair below it; the floors of the display add this much so that a
// value on the grid never drifts by repeated display.
constexpr double kGridEpsilon = 1e-4;

double round_even(double x) { return std::nearbyint(x); }

}  // namespace

int32_t amplitude_of_db(double db) {
    return static_cast<int32_t>(round_even(FULL_SCALE * std::pow(10.0, db / 20.0)));
}

double db_of_amplitude(double amplitude) { return 20.0 * std::log10(amplitude / FULL_SCALE); }

// --- whole-dB settings ----------------------------------------------------

void click_INPUTGAIN(ParameterSet& p, int button) {
    if (button == BUTTON_LEFT) {
        if (p.INPUTGAIN >= 0.745f) p.INPUTGAIN = static_cast<float>(p.INPUTGAIN / 1.1);
    } else if (button == BUTTON_RIGHT) {
        if (p.INPUTGAIN < 7.6f) p.INPUTGAIN = static_cast<float>(p.INPUTGAIN * 1.2);
    }
    snap_INPUTGAIN(p);
}

int snap_INPUTGAIN(ParameterSet& p) {
    const int db = static_cast<int>(std::floor(20.0 * std::log10(static_cast<double>(p.INPUTGAIN)) + kGridEpsilon));
    p.INPUTGAIN = static_cast<float>(std::pow(10.0, db / 20.0));
    return db;
}

int32_t& threshold_of(ParameterSet& p, Band b) {
    return b == Band::Bass ? p.KOMPR_THRBASS : b == Band::Midd ? p.KOMPR_THRMIDD : p.KOMPR_THRHIGH;
}
float& ratio_of(ParameterSet& p, Band b) {
    return b == Band::Bass ? p.KOMPR_RATBASS : b == Band::Midd ? p.KOMPR_RATMIDD : p.KOMPR_RATHIGH;
}
float& makeup_of(ParameterSet& p, Band b) {
    return b == Band::Bass ? p.KOMPR_OUTBASS : b == Band::Midd ? p.KOMPR_OUTMIDD : p.KOMPR_OUTHIGH;
}
int16_t& gate_of(ParameterSet& p, Band b) {
    return b == Band::Bass ? p.GATEBASS : b == Band::Midd ? p.GATEMIDD : p.GATEHIGH;
}
TimeSetting& attack_of(ParameterSet& p, Band b) {
    return b == Band::Bass ? p.KOMPR_ATTBASS : b == Band::Midd ? p.KOMPR_ATTMIDD : p.KOMPR_ATTHIGH;
}
TimeSetting& release_of(ParameterSet& p, Band b) {
    return b == Band::Bass ? p.KOMPR_RELBASS : b == Band::Midd ? p.KOMPR_RELMIDD : p.KOMPR_RELHIGH;
}
TimeTable attack_table(Band b) {
    return b == Band::Bass ? TimeTable::AttBass : b == Band::Midd ? TimeTable::AttMidd : TimeTable::AttHigh;
}
TimeTable release_table(Band b) {
    return b == Band::Bass ? TimeTable::RelBass : b == Band::Midd ? TimeTable::RelMidd : TimeTable::RelHigh;
}

void click_threshold(ParameterSet& p, Band b, int button) {
    int32_t& thr = threshold_of(p, b);
    const double down = b == Band::Bass ? 1.123 : 1.122;
    const double up = b == Band::Bass ? 1.123 : 1.128;
    double amp = thr;
    if (button == BUTTON_LEFT) {
        if (amp >= 1081.311) amp /= down;
    } else if (button == BUTTON_RIGHT) {
        if (amp < 27300) amp *= up;
    }
    const double db = round_even(db_of_amplitude(amp));
    thr = amplitude_of_db(db);
}

int snap_threshold(ParameterSet& p, Band b) {
    int32_t& thr = threshold_of(p, b);
    if (thr <= 0) thr = 1;
    const double db = round_even(db_of_amplitude(thr));
    thr = amplitude_of_db(db);
    return static_cast<int>(std::floor(db + 0.01));
}

LimiterClick click_LIMI_THR(ParameterSet& p, int button) {
    const int32_t before = p.LIMI_THR;
    double amp = p.LIMI_THR;
    if (button == BUTTON_LEFT) {
        if (amp >= 18021.85) amp /= 1.1;
    } else if (button == BUTTON_RIGHT) {
        if (amp >= 0.8 * FULL_SCALE / p.LIMI_OUTGAIN) return LimiterClick::Refused;
        amp *= 1.2;
    }
    p.LIMI_THR = static_cast<int32_t>(round_even(amp));
    snap_LIMI_THR(p);
    return p.LIMI_THR == before ? LimiterClick::Unchanged : LimiterClick::Changed;
}

int snap_LIMI_THR(ParameterSet& p) {
    if (p.LIMI_THR <= 0) p.LIMI_THR = 1;
    const int db = static_cast<int>(std::floor(0.2 + db_of_amplitude(p.LIMI_THR) + kGridEpsilon));
    p.LIMI_THR = amplitude_of_db(db);
    return db;
}

LimiterClick click_LIMI_OUTGAIN(ParameterSet& p, int button) {
    const float before = p.LIMI_OUTGAIN;
    float g = p.LIMI_OUTGAIN;
    if (button == BUTTON_LEFT) {
        if (g >= 1.0f) g = static_cast<float>(g / 1.07);
    } else if (button == BUTTON_RIGHT) {
        if (0.85 * FULL_SCALE / p.LIMI_THR <= g) return LimiterClick::Refused;
        g = static_cast<float>(g * 1.07);
    }
    g = snap_half_db(g);
    if (g < 1.0f) g = 1.0f;
    p.LIMI_OUTGAIN = g;
    return g == before ? LimiterClick::Unchanged : LimiterClick::Changed;
}

// --- make-up gains ----------------------------------------------------------

float snap_half_db(float gain) {
    if (!(gain > 0.0f)) return gain;
    double d = 20.0 * std::log10(static_cast<double>(gain));
    d = std::floor(2.0 * d + 0.1) / 2.0 + 0.05;
    return static_cast<float>(std::pow(10.0, d / 20.0));
}

double shown_gain_db(float gain) {
    const double d = 20.0 * std::log10(static_cast<double>(gain));
    return std::floor(10.0 * d + 0.001) / 10.0;
}

void click_makeup(ParameterSet& p, Band b, int button) {
    float& g = makeup_of(p, b);
    if (button == BUTTON_LEFT) {
        if (g > 0.35f) {
            g = static_cast<float>(g / 1.07);
            if (g <= 0.35f) g = 0.0f;
        }
    } else if (button == BUTTON_RIGHT) {
        if (g == 0.0f) {
            g = 0.35f;
        } else if (g < 6.2f) {
            g = static_cast<float>(g * 1.07);
        }
    }
    if (g > 0.0f) g = snap_half_db(g);
}

// --- ratio, equalizer, index and cycling settings ---------------------------

void click_ratio(ParameterSet& p, Band b, int button) {
    float& r = ratio_of(p, b);
    const double step = (2.8 - 0.2 * button) < r ? 0.5 : 0.25;
    double v = r;
    if (button == BUTTON_LEFT) {
        if (v > 1.0) v -= step;
    } else if (button == BUTTON_RIGHT) {
        if (v < 6.0) v += step;
    }
    r = static_cast<float>(std::floor(4.0 * v + 0.01) / 4.0);
}

void click_EQ(ParameterSet& p, int band, int button) {
    band = std::clamp(band, 1, EQ_BANDS);
    float& g = p.EQ[band - 1];
    if (button == BUTTON_LEFT) {
        if (g < 9.0f) g += 0.5f;
    } else if (button == BUTTON_RIGHT) {
        if (g > -9.0f) g -= 0.5f;
    }
}

void set_time_index(TimeSetting& t, TimeTable table, int index) {
    t.index = std::clamp(index, TIME_INDEX_MIN, TIME_INDEX_MAX);
    t.value = time_table_value(table, t.index);
}

bool click_time(TimeSetting& t, TimeTable table, int button) {
    const int32_t before = t.index;
    if (button == BUTTON_LEFT && t.index >= 2) set_time_index(t, table, t.index - 1);
    if (button == BUTTON_RIGHT && t.index < TIME_INDEX_MAX) set_time_index(t, table, t.index + 1);
    return t.index != before;
}

void click_INPUTAUTO(ParameterSet& p) { set_INPUTAUTO(p, (p.INPUTAUTO + 1) % 3); }

void set_INPUTAUTO(ParameterSet& p, int32_t mode) {
    p.INPUTAUTO = mode;
    if (p.INPUTAUTO == 1) {
        p.LEVE_ATT = 4000;
        p.LEVE_REL = 60000;
    } else if (p.INPUTAUTO == 2) {
        p.LEVE_ATT = 8000;
        p.LEVE_REL = 100000;
    }
}

void click_HPF(ParameterSet& p) {
    switch (p.HPF) {
        case 0: p.HPF = 100; break;
        case 100: p.HPF = 120; break;
        case 120: p.HPF = 150; break;
        default: p.HPF = 0; break;
    }
}

void click_gate(ParameterSet& p, Band b, int button) {
    int16_t& g = gate_of(p, b);
    if (button == BUTTON_LEFT) g = g <= 0 ? 6 : static_cast<int16_t>(g - 1);
    if (button == BUTTON_RIGHT) g = g >= 6 ? 0 : static_cast<int16_t>(g + 1);
}

void click_OUTFORMAT(ParameterSet& p, int button) {
    if (button == BUTTON_LEFT) p.OUTFORMAT = p.OUTFORMAT <= 1 ? 9 : static_cast<int16_t>(p.OUTFORMAT - 1);
    if (button == BUTTON_RIGHT) p.OUTFORMAT = p.OUTFORMAT >= 9 ? 1 : static_cast<int16_t>(p.OUTFORMAT + 1);
}

void click_KOMPR_BYPASS(ParameterSet& p) { p.KOMPR_BYPASS = p.KOMPR_BYPASS ? 0 : 1; }

void snap_displayed_settings(ParameterSet& p) {
    snap_INPUTGAIN(p);
    snap_threshold(p, Band::Bass);
    snap_threshold(p, Band::Midd);
    snap_threshold(p, Band::High);
    snap_LIMI_THR(p);
}

// --- display texts ------------------------------------------------------------

int outformat_bitrate(int16_t outformat, int channels) {
    static constexpr int mono[] = {160, 128, 112, 96, 80, 64, 56, 48};
    static constexpr int stereo[] = {320, 256, 224, 192, 160, 128, 112, 96};
    if (outformat < 2 || outformat > 9) return 0;
    return channels == 2 ? stereo[outformat - 2] : mono[outformat - 2];
}

const char* outformat_text(int16_t outformat, int channels) {
    static constexpr const char* mono[] = {"160", "128", "112", " 96", " 80", " 64", " 56", " 48"};
    static constexpr const char* stereo[] = {"320", "256", "224", "192", "160", "128", "112", " 96"};
    if (outformat < 2 || outformat > 9) return "WAV";
    return channels == 2 ? stereo[outformat - 2] : mono[outformat - 2];
}

}  // namespace sc
