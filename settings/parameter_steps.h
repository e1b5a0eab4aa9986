// The step rules of the Parameter set: what a click does to each setting,
// how the display snaps a setting to its grid, and the values it shows.
//
// Buttons: 1 = left, 2 = right. A click beyond a range limit leaves the value.
#pragma once

#include <cstdint>

#include "settings/parameter_set.h"

namespace sc {

inline constexpr int BUTTON_LEFT = 1;
inline constexpr int BUTTON_RIGHT = 2;

// Linear amplitude of x dB on the 16-bit scale: round(32767 * 10^(x/20)).
int32_t amplitude_of_db(double db);
// dB of an amplitude relative to 32767.
double db_of_amplitude(double amplitude);

// --- whole-dB settings ----------------------------------------------------
void click_INPUTGAIN(ParameterSet& p, int button);
// Display snap: dB = floor(20 log10 gain); gain = 10^(dB/20). Returns dB.
int snap_INPUTGAIN(ParameterSet& p);

enum class Band { Bass, Midd, High };
int32_t& threshold_of(ParameterSet& p, Band b);
float& ratio_of(ParameterSet& p, Band b);
float& makeup_of(ParameterSet& p, Band b);
int16_t& gate_of(ParameterSet& p, Band b);
TimeSetting& attack_of(ParameterSet& p, Band b);
TimeSetting& release_of(ParameterSet& p, Band b);
TimeTable attack_table(Band b);
TimeTable release_table(Band b);

void click_threshold(ParameterSet& p, Band b, int button);
// Snaps the threshold to whole dB; returns the shown dB, floor(dB + 0.01).
int snap_threshold(ParameterSet& p, Band b);

// Result of a click on the limiter pair.
enum class LimiterClick { Changed, Unchanged, Refused };
LimiterClick click_LIMI_THR(ParameterSet& p, int button);
// dB = floor(0.2 + 20 log10(amp / 32767)); amp = round(32767 * 10^(dB/20)).
int snap_LIMI_THR(ParameterSet& p);
LimiterClick click_LIMI_OUTGAIN(ParameterSet& p, int button);

// --- make-up gains ----------------------------------------------------------
void click_makeup(ParameterSet& p, Band b, int button);
// The grid snap of a gain above 0: d = floor(2 d + 0.1)/2 + 0.05.
float snap_half_db(float gain);
// The dB value the make-up and limiter-output knobs show: floor(10 d)/10 of
// the gain's dB (a multiple of 0.5). Not meaningful for 0.0 (mute).
double shown_gain_db(float gain);

// --- ratio, equalizer, index and cycling settings ---------------------------
void click_ratio(ParameterSet& p, Band b, int button);
void click_EQ(ParameterSet& p, int band /* 1..12 */, int button);
// Index settings without wrap; also store the table value. Returns true
// when the index changed (the caller recomputes the coefficient).
bool click_time(TimeSetting& t, TimeTable table, int button);
void set_time_index(TimeSetting& t, TimeTable table, int index);
void click_INPUTAUTO(ParameterSet& p);
// Sets the leveler mode; fast and slow bring their attack and release
// times, off leaves them.
void set_INPUTAUTO(ParameterSet& p, int32_t mode);
void click_HPF(ParameterSet& p);
void click_gate(ParameterSet& p, Band b, int button);
void click_OUTFORMAT(ParameterSet& p, int button);
void click_KOMPR_BYPASS(ParameterSet& p);

// What a redraw of the whole panel snaps, in the order of the panel:
// INPUTGAIN, the three band thresholds, LIMI_THR. Nothing else changes.
void snap_displayed_settings(ParameterSet& p);

// --- display texts ------------------------------------------------------------
// Bit rate text of OUTFORMAT 2..9 ("160", " 96", ...), "WAV" for 1.
const char* outformat_text(int16_t outformat, int channels);
// Bit rate in kbit/s of OUTFORMAT 2..9 for a mono or stereo source.
int outformat_bitrate(int16_t outformat, int channels);

}  // namespace sc
