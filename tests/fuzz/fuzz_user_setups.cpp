// The load of a user setup from a file of any content. The first byte picks
// the slot, the rest is the file.
//
// Checked beyond "no crash": every setting is inside its range and on its
// grid, and a setup saved from what was loaded loads as the same.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "settings/parameter_steps.h"
#include "settings/time_tables.h"
#include "settings/user_setups_file.h"

namespace {

using sc::ParameterSet;

void require(bool ok) {
    if (!ok) std::abort();
}

bool whole_db_gain(float gain) {
    const double db = 20.0 * std::log10(gain);
    return std::fabs(db - std::round(db)) < 1e-3;
}

// An amplitude that is round(32767 * 10^(dB / 20)) of a whole dB.
bool whole_db_amplitude(int32_t amplitude) {
    return amplitude == sc::amplitude_of_db(std::round(sc::db_of_amplitude(amplitude)));
}

bool within(double v, double lo, double hi) { return v >= lo * (1 - 1e-6) && v <= hi * (1 + 1e-6); }

void check_time(const sc::TimeSetting& t, sc::TimeTable table) {
    require(t.index >= 1 && t.index <= 16 && t.value == sc::time_table_value(table, t.index));
}

void check_ratio(float r) {
    require(r >= 1.0f && r <= 6.0f);
    require(r <= 2.5f ? std::fmod(r * 4.0f, 1.0f) == 0.0f : std::fmod(r * 2.0f, 1.0f) == 0.0f);
}

void check_makeup(float g) {
    require(g == 0.0f || within(g, std::pow(10.0, -9.45 / 20), std::pow(10.0, 16.05 / 20)));
}

void check_settings(const ParameterSet& p) {
    require(within(p.INPUTGAIN, std::pow(10.0, -3.0 / 20), std::pow(10.0, 18.0 / 20)) && whole_db_gain(p.INPUTGAIN));
    require(p.INPUTAUTO >= 0 && p.INPUTAUTO <= 2);
    require(p.LEVE_ATT == (p.INPUTAUTO == 2 ? 8000 : 4000) && p.LEVE_REL == (p.INPUTAUTO == 2 ? 100000 : 60000));
    require(p.HPF == 0 || p.HPF == 100 || p.HPF == 120 || p.HPF == 150);
    for (float g : p.EQ) require(g >= -9.0f && g <= 9.0f && std::fmod(g * 2.0f, 1.0f) == 0.0f);
    for (int32_t thr : {p.KOMPR_THRBASS, p.KOMPR_THRMIDD, p.KOMPR_THRHIGH})
        require(thr >= sc::amplitude_of_db(-30) && thr <= sc::amplitude_of_db(-1) && whole_db_amplitude(thr));
    for (float r : {p.KOMPR_RATBASS, p.KOMPR_RATMIDD, p.KOMPR_RATHIGH}) check_ratio(r);
    check_time(p.KOMPR_ATTBASS, sc::TimeTable::AttBass);
    check_time(p.KOMPR_RELBASS, sc::TimeTable::RelBass);
    check_time(p.KOMPR_ATTMIDD, sc::TimeTable::AttMidd);
    check_time(p.KOMPR_RELMIDD, sc::TimeTable::RelMidd);
    check_time(p.KOMPR_ATTHIGH, sc::TimeTable::AttHigh);
    check_time(p.KOMPR_RELHIGH, sc::TimeTable::RelHigh);
    check_time(p.LIMI_ATT, sc::TimeTable::AttMidd);
    check_time(p.LIMI_REL, sc::TimeTable::RelMidd);
    for (float g : {p.KOMPR_OUTBASS, p.KOMPR_OUTMIDD, p.KOMPR_OUTHIGH}) check_makeup(g);
    for (int16_t g : {p.GATEBASS, p.GATEMIDD, p.GATEHIGH}) require(g >= 0 && g <= 6);
    require(p.LIMI_THR >= sc::amplitude_of_db(-6) && p.LIMI_THR <= sc::amplitude_of_db(-1) && whole_db_amplitude(p.LIMI_THR));
    // the limiter's output gain: from 0 dB up to where the threshold blocks it
    require(p.LIMI_OUTGAIN >= 1.0f && within(p.LIMI_OUTGAIN, 1.0, std::pow(10.0, 5.05 / 20)));
    ParameterSet up = p;
    if (sc::click_LIMI_OUTGAIN(up, sc::BUTTON_RIGHT) == sc::LimiterClick::Changed)
        require(up.LIMI_OUTGAIN > p.LIMI_OUTGAIN);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const int slot = data[0] % 22;  // 0 and 21 are no slots
    const std::string_view file(reinterpret_cast<const char*>(data + 1), size - 1);

    ParameterSet p;  // as the panel holds it: on the grids, leveler times of its mode
    sc::snap_displayed_settings(p);
    p.LEVE_ATT = 4000;
    p.LEVE_REL = 60000;
    const sc::setups_file::SlotLoad load = sc::setups_file::read_slot(file, slot, "/", &p);
    require(load.language == 1 || load.language == 2);
    if (load.has_content)
        require(load.folder == "/" || (load.folder.size() >= 3 && load.folder.size() <= 99 && load.folder[0] == '/'));
    else
        require(load.folder.empty() && !load.used);
    require(!load.used || load.name.size() == 30);
    check_settings(p);

    // What was loaded, saved again, loads as the same.
    const sc::setups_file::Record record = sc::setups_file::encode_record(load.name, p);
    ParameterSet again;
    again.INPUTAUTO = 1;
    sc::setups_file::read_record_fields(std::string_view(reinterpret_cast<const char*>(record.data()), record.size()),
                                        again);
    again.KOMPR_BYPASS = p.KOMPR_BYPASS;
    again.OUTFORMAT = p.OUTFORMAT;
    again.LEVE_TARGET = p.LEVE_TARGET;
    require(again == p);
    return 0;
}
