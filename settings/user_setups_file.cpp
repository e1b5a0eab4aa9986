#include "settings/user_setups_file.h"

#include <algorithm>
#include <cctype>
#include <bit>
#include <cmath>

#include "settings/parameter_steps.h"

namespace sc::setups_file {

namespace {

// Offsets of the fields inside a record.
constexpr std::size_t F_INPUTGAIN = 31, F_INPUTAUTO = 35, F_THRBASS = 36, F_RATBASS = 40, F_THRMIDD = 44,
                      F_RATMIDD = 48, F_THRHIGH = 52, F_RATHIGH = 56, F_ATTBASS = 60, F_RELBASS = 61,
                      F_ATTMIDD = 62, F_RELMIDD = 63, F_ATTHIGH = 64, F_RELHIGH = 65, F_OUTBASS = 66,
                      F_OUTMIDD = 70, F_OUTHIGH = 74, F_LIMI_THR = 78, F_LIMI_ATT = 82, F_LIMI_REL = 83,
                      F_LIMI_OUTGAIN = 84, F_GATEBASS = 88, F_GATEMIDD = 89, F_GATEHIGH = 90, F_HPF = 91,
                      F_EQ = 92;
constexpr std::string_view TAIL = "               \r";
static_assert(TAIL.size() == RECORD_LENGTH - TAIL_AT);

// Ranges of the settings as the panel can reach them.
const float INPUTGAIN_MIN = static_cast<float>(std::pow(10.0, -3.0 / 20.0));
const float INPUTGAIN_MAX = static_cast<float>(std::pow(10.0, 18.0 / 20.0));
const float MAKEUP_MIN = static_cast<float>(std::pow(10.0, -9.45 / 20.0));
const float MAKEUP_MAX = static_cast<float>(std::pow(10.0, 16.05 / 20.0));
constexpr float RATIO_MIN = 1.0f, RATIO_MAX = 6.0f;
constexpr float EQ_MIN = -9.0f, EQ_MAX = 9.0f;
constexpr int GATE_MAX = 6;

void put_u32(Record& r, std::size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) r[at + i] = static_cast<uint8_t>(v >> (8 * i));
}
void put_i32(Record& r, std::size_t at, int32_t v) { put_u32(r, at, static_cast<uint32_t>(v)); }
void put_f32(Record& r, std::size_t at, float v) { put_u32(r, at, std::bit_cast<uint32_t>(v)); }
uint8_t byte_of(int v) { return static_cast<uint8_t>(std::clamp(v, 0, 255)); }

// Reads whole fields of a record that may be cut short.
class FieldReader {
public:
    explicit FieldReader(std::string_view r) : r_(r) {}
    bool has(std::size_t at, std::size_t n) const { return at + n <= r_.size(); }
    uint8_t u8(std::size_t at) const { return static_cast<uint8_t>(r_[at]); }
    uint32_t u32(std::size_t at) const {
        uint32_t v = 0;
        for (int i = 3; i >= 0; --i) v = (v << 8) | u8(at + i);
        return v;
    }
    int32_t i32(std::size_t at) const { return static_cast<int32_t>(u32(at)); }
    float f32(std::size_t at) const { return std::bit_cast<float>(u32(at)); }

private:
    std::string_view r_;
};

// A gain or ratio: NaN leaves the setting, anything else is clamped.
bool load_clamped(float v, float& out, float lo, float hi) {
    if (std::isnan(v)) return false;
    out = std::clamp(v, lo, hi);
    return true;
}

// A make-up gain: 0.0 (or below) is mute, above it the knob's range.
void load_makeup(float v, float& out) {
    if (std::isnan(v)) return;
    out = v <= 0.0f ? 0.0f : std::clamp(v, MAKEUP_MIN, MAKEUP_MAX);
}

// Ratios move in steps of 0.25 up to 2.5 and of 0.5 above.
void load_ratio(float v, float& out) {
    if (std::isnan(v)) return;
    const double r = std::clamp(v, RATIO_MIN, RATIO_MAX);
    out = static_cast<float>(r <= 2.5 ? std::round(4.0 * r) / 4.0 : std::round(2.0 * r) / 2.0);
}

void load_threshold(int32_t v, ParameterSet& p, Band b) {
    threshold_of(p, b) = std::clamp(v, amplitude_of_db(-30), amplitude_of_db(-1));
    snap_threshold(p, b);
}

void load_time(uint8_t index, TimeSetting& t, TimeTable table) { set_time_index(t, table, index); }

void load_gate(uint8_t v, int16_t& out) { out = v > GATE_MAX ? 0 : v; }

// The highest output gain of the limiter that right clicks reach from 0 dB
// at this threshold: the two guard each other against overload.
float limiter_gain_limit(int32_t threshold) {
    ParameterSet q;
    q.LIMI_THR = threshold;
    q.LIMI_OUTGAIN = 1.0f;
    for (int i = 0; i < 64 && click_LIMI_OUTGAIN(q, BUTTON_RIGHT) == LimiterClick::Changed; ++i) {
    }
    return q.LIMI_OUTGAIN;
}

}  // namespace

uint8_t eq_byte(float db) {
    const double b = std::floor(2.0 * static_cast<double>(db) + 0.1) + 40.0;
    if (std::isnan(b)) return 40;
    return static_cast<uint8_t>(std::clamp(b, 0.0, 255.0));
}

float eq_db(uint8_t b) { return static_cast<float>(b) / 2.0f - 20.0f; }

std::string record_name_bytes(std::string_view name_cp437) {
    std::string name(name_cp437.substr(0, NAME_LENGTH));
    name.resize(NAME_LENGTH, ' ');
    return name;
}

Record encode_record(std::string_view name_cp437, const ParameterSet& p) {
    Record r{};
    const std::string name = record_name_bytes(name_cp437);
    std::copy(name.begin(), name.end(), r.begin());
    r[MARKER_AT] = static_cast<uint8_t>(MARKER);
    put_f32(r, F_INPUTGAIN, p.INPUTGAIN);
    r[F_INPUTAUTO] = byte_of(p.INPUTAUTO);
    put_i32(r, F_THRBASS, p.KOMPR_THRBASS);
    put_f32(r, F_RATBASS, p.KOMPR_RATBASS);
    put_i32(r, F_THRMIDD, p.KOMPR_THRMIDD);
    put_f32(r, F_RATMIDD, p.KOMPR_RATMIDD);
    put_i32(r, F_THRHIGH, p.KOMPR_THRHIGH);
    put_f32(r, F_RATHIGH, p.KOMPR_RATHIGH);
    r[F_ATTBASS] = byte_of(p.KOMPR_ATTBASS.index);
    r[F_RELBASS] = byte_of(p.KOMPR_RELBASS.index);
    r[F_ATTMIDD] = byte_of(p.KOMPR_ATTMIDD.index);
    r[F_RELMIDD] = byte_of(p.KOMPR_RELMIDD.index);
    r[F_ATTHIGH] = byte_of(p.KOMPR_ATTHIGH.index);
    r[F_RELHIGH] = byte_of(p.KOMPR_RELHIGH.index);
    put_f32(r, F_OUTBASS, p.KOMPR_OUTBASS);
    put_f32(r, F_OUTMIDD, p.KOMPR_OUTMIDD);
    put_f32(r, F_OUTHIGH, p.KOMPR_OUTHIGH);
    put_i32(r, F_LIMI_THR, p.LIMI_THR);
    r[F_LIMI_ATT] = byte_of(p.LIMI_ATT.index);
    r[F_LIMI_REL] = byte_of(p.LIMI_REL.index);
    put_f32(r, F_LIMI_OUTGAIN, p.LIMI_OUTGAIN);
    r[F_GATEBASS] = byte_of(p.GATEBASS);
    r[F_GATEMIDD] = byte_of(p.GATEMIDD);
    r[F_GATEHIGH] = byte_of(p.GATEHIGH);
    r[F_HPF] = byte_of(p.HPF);
    for (int k = 0; k < EQ_BANDS; ++k) r[F_EQ + k] = eq_byte(p.EQ[k]);
    std::copy(TAIL.begin(), TAIL.end(), r.begin() + TAIL_AT);
    return r;
}

bool folder_storable(std::string_view folder) {
    return folder.size() >= FOLDER_MIN && folder.size() <= FOLDER_LENGTH;
}

std::string encode_folder(std::string_view folder) {
    std::string field(folder.substr(0, FOLDER_LENGTH));
    field.resize(FOLDER_LENGTH, ' ');
    return field;
}

namespace {

// A folder of the system the root belongs to: "/..." beside the root "/",
// a drive path "X:\..." or a network path "\\..." beside a drive root.
bool same_kind_of_path(std::string_view folder, std::string_view root) {
    if (root.empty() || root.front() == '/') return !folder.empty() && folder.front() == '/';
    const bool drive = folder.size() >= 3 && std::isalpha(static_cast<unsigned char>(folder[0])) && folder[1] == ':' &&
                       (folder[2] == '\\' || folder[2] == '/');
    return drive || folder.substr(0, 2) == "\\\\";
}

}  // namespace

std::string decode_folder(std::string_view field, const std::string& root) {
    field = field.substr(0, std::min(field.size(), FOLDER_LENGTH));
    field = field.substr(0, field.find('\0'));
    while (!field.empty() && field.back() == ' ') field.remove_suffix(1);
    if (field.size() < FOLDER_MIN || !same_kind_of_path(field, root)) return root;
    return std::string(field);
}

int16_t decode_language(uint8_t b) { return static_cast<int16_t>(std::clamp<int>(b, 1, 2)); }

void read_record_fields(std::string_view record, ParameterSet& p) {
    const FieldReader f(record);
    if (f.has(F_INPUTGAIN, 4) && load_clamped(f.f32(F_INPUTGAIN), p.INPUTGAIN, INPUTGAIN_MIN, INPUTGAIN_MAX))
        snap_INPUTGAIN(p);
    if (f.has(F_INPUTAUTO, 1) && f.u8(F_INPUTAUTO) <= 2) p.INPUTAUTO = f.u8(F_INPUTAUTO);
    if (f.has(F_THRBASS, 4)) load_threshold(f.i32(F_THRBASS), p, Band::Bass);
    if (f.has(F_RATBASS, 4)) load_ratio(f.f32(F_RATBASS), p.KOMPR_RATBASS);
    if (f.has(F_THRMIDD, 4)) load_threshold(f.i32(F_THRMIDD), p, Band::Midd);
    if (f.has(F_RATMIDD, 4)) load_ratio(f.f32(F_RATMIDD), p.KOMPR_RATMIDD);
    if (f.has(F_THRHIGH, 4)) load_threshold(f.i32(F_THRHIGH), p, Band::High);
    if (f.has(F_RATHIGH, 4)) load_ratio(f.f32(F_RATHIGH), p.KOMPR_RATHIGH);
    if (f.has(F_ATTBASS, 1)) load_time(f.u8(F_ATTBASS), p.KOMPR_ATTBASS, TimeTable::AttBass);
    if (f.has(F_RELBASS, 1)) load_time(f.u8(F_RELBASS), p.KOMPR_RELBASS, TimeTable::RelBass);
    if (f.has(F_ATTMIDD, 1)) load_time(f.u8(F_ATTMIDD), p.KOMPR_ATTMIDD, TimeTable::AttMidd);
    if (f.has(F_RELMIDD, 1)) load_time(f.u8(F_RELMIDD), p.KOMPR_RELMIDD, TimeTable::RelMidd);
    if (f.has(F_ATTHIGH, 1)) load_time(f.u8(F_ATTHIGH), p.KOMPR_ATTHIGH, TimeTable::AttHigh);
    if (f.has(F_RELHIGH, 1)) load_time(f.u8(F_RELHIGH), p.KOMPR_RELHIGH, TimeTable::RelHigh);
    if (f.has(F_OUTBASS, 4)) load_makeup(f.f32(F_OUTBASS), p.KOMPR_OUTBASS);
    if (f.has(F_OUTMIDD, 4)) load_makeup(f.f32(F_OUTMIDD), p.KOMPR_OUTMIDD);
    if (f.has(F_OUTHIGH, 4)) load_makeup(f.f32(F_OUTHIGH), p.KOMPR_OUTHIGH);
    if (f.has(F_LIMI_THR, 4)) {
        p.LIMI_THR = std::clamp(f.i32(F_LIMI_THR), amplitude_of_db(-6), amplitude_of_db(-1));
        snap_LIMI_THR(p);
    }
    // The limiter uses the middle band's tables.
    if (f.has(F_LIMI_ATT, 1)) load_time(f.u8(F_LIMI_ATT), p.LIMI_ATT, TimeTable::AttMidd);
    if (f.has(F_LIMI_REL, 1)) load_time(f.u8(F_LIMI_REL), p.LIMI_REL, TimeTable::RelMidd);
    if (f.has(F_LIMI_OUTGAIN, 4)) load_clamped(f.f32(F_LIMI_OUTGAIN), p.LIMI_OUTGAIN, 1.0f, 1.0e6f);
    p.LIMI_OUTGAIN = std::min(p.LIMI_OUTGAIN, limiter_gain_limit(p.LIMI_THR));
    if (f.has(F_GATEBASS, 1)) load_gate(f.u8(F_GATEBASS), p.GATEBASS);
    if (f.has(F_GATEMIDD, 1)) load_gate(f.u8(F_GATEMIDD), p.GATEMIDD);
    if (f.has(F_GATEHIGH, 1)) load_gate(f.u8(F_GATEHIGH), p.GATEHIGH);
    if (f.has(F_HPF, 1)) {
        const int hpf = f.u8(F_HPF);
        if (hpf == 0 || hpf == 100 || hpf == 120 || hpf == 150) p.HPF = hpf;
    }
    for (int k = 0; k < EQ_BANDS; ++k)
        if (f.has(F_EQ + k, 1)) p.EQ[k] = std::clamp(eq_db(f.u8(F_EQ + k)), EQ_MIN, EQ_MAX);

    // The leveler's times come with its mode; off keeps the fast ones.
    const bool slow = p.INPUTAUTO == 2;
    p.LEVE_ATT = slow ? 8000 : 4000;
    p.LEVE_REL = slow ? 100000 : 60000;
}

SlotLoad read_slot(std::string_view file, int slot, const std::string& root, ParameterSet* params) {
    SlotLoad r;
    if (file.empty()) return r;
    r.has_content = true;
    r.language = decode_language(static_cast<uint8_t>(file[LANGUAGE_AT]));
    r.folder = decode_folder(file.substr(FOLDER_AT), root);
    if (slot < 1 || slot > SLOTS) return r;
    const std::size_t at = record_at(slot);
    if (file.size() <= at + MARKER_AT || file[at + MARKER_AT] != MARKER) return r;
    r.used = true;
    const std::string_view record = file.substr(at, RECORD_LENGTH);
    r.name = std::string(record.substr(0, NAME_LENGTH));
    if (params) read_record_fields(record, *params);
    return r;
}

}  // namespace sc::setups_file
