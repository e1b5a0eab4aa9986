#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "settings/parameter_steps.h"
#include "settings/time_tables.h"
#include "settings/user_setups_file.h"

namespace sc {
namespace {

namespace f = setups_file;

// Little-endian pieces of a record, written here from the layout table
// rather than by the program's writer.
std::string le32(uint32_t v) {
    std::string s;
    for (int i = 0; i < 4; ++i) s += static_cast<char>(v >> (8 * i));
    return s;
}
std::string i32(int32_t v) { return le32(static_cast<uint32_t>(v)); }
std::string f32(float v) { return le32(std::bit_cast<uint32_t>(v)); }
std::string b(int v) { return std::string(1, static_cast<char>(v)); }

// A record by hand: name, marker, then the fields at the offsets of the table.
std::string hand_record(const std::string& name30) {
    std::string r = name30;                        // 0   name
    r += "3";                                      // 30  marker
    r += f32(2.0f);                                // 31  INPUTGAIN (+6 dB)
    r += b(2);                                     // 35  INPUTAUTO slow
    r += i32(amplitude_of_db(-12));                // 36  KOMPR_THRBASS
    r += f32(3.5f);                                // 40  KOMPR_RATBASS
    r += i32(amplitude_of_db(-20));                // 44  KOMPR_THRMIDD
    r += f32(1.25f);                               // 48  KOMPR_RATMIDD
    r += i32(amplitude_of_db(-3));                 // 52  KOMPR_THRHIGH
    r += f32(6.0f);                                // 56  KOMPR_RATHIGH
    r += b(1) + b(16) + b(2) + b(15) + b(3) + b(14);  // 60..65 time indices
    r += f32(0.0f);                                // 66  KOMPR_OUTBASS: mute
    r += f32(1.13f);                               // 70  KOMPR_OUTMIDD: a preset's factor
    r += f32(1.0f);                                // 74  KOMPR_OUTHIGH
    r += i32(amplitude_of_db(-6));                 // 78  LIMI_THR
    r += b(4) + b(12);                             // 82, 83 LIMI_ATT, LIMI_REL
    r += f32(1.0f);                                // 84  LIMI_OUTGAIN
    r += b(1) + b(5) + b(6);                       // 88..90 gates
    r += b(120);                                   // 91  HPF
    for (int k = 0; k < 12; ++k) r += b(22 + 3 * k);  // 92..103 EQ: -9, -7.5, ... +7.5 dB
    r += std::string(15, ' ') + "\r";              // 104 tail
    return r;
}

std::string name30(const std::string& n) { return n + std::string(30 - n.size(), ' '); }

// A whole file image: language, folder, slot records.
std::string file_with(int slot, const std::string& record, char language = 2, const std::string& folder = "/music/") {
    std::string file(f::record_at(slot), '\0');
    file[0] = language;
    file.replace(1, 99, folder + std::string(99 - folder.size(), ' '));
    return file + record;
}

TEST(SetupsLayout, SlotPositionsAndFileLength) {
    // positions counted from 1 in the layout: slot 1 at 251, slot 20 at 2531
    EXPECT_EQ(f::record_at(1) + 1, 251u);
    EXPECT_EQ(f::record_at(20) + 1, 2531u);
    EXPECT_EQ(f::USED_LENGTH, 2650u);
    const f::Record r = f::encode_record("x", ParameterSet{});
    EXPECT_EQ(r[30], '3');
    EXPECT_EQ(std::string(r.begin() + 104, r.end()), std::string(15, ' ') + "\r");
    EXPECT_EQ(std::string(r.begin(), r.begin() + 30), name30("x"));
}

TEST(SetupsLayout, EqualizerBytes) {
    EXPECT_EQ(f::eq_byte(-3.5f), 33);
    EXPECT_EQ(f::eq_db(33), -3.5f);
    EXPECT_EQ(f::eq_byte(9.0f), 58);
    EXPECT_EQ(f::eq_db(58), 9.0f);
    EXPECT_EQ(f::eq_byte(0.0f), 40);
    EXPECT_EQ(f::eq_byte(-9.0f), 22);
    // every gain of the grid comes back exactly
    for (float g = -9.0f; g <= 9.0f; g += 0.5f) EXPECT_EQ(f::eq_db(f::eq_byte(g)), g) << g;
    // no wrap-around outside a byte
    EXPECT_EQ(f::eq_byte(500.0f), 255);
    EXPECT_EQ(f::eq_byte(-500.0f), 0);
}

TEST(SetupsLayout, AHandMadeRecordLoadsAsTheTableSays) {
    const std::string file = file_with(7, hand_record(name30("Stimme \x81" "ber alles")));
    ParameterSet p;
    p.KOMPR_BYPASS = 1;
    p.OUTFORMAT = 4;
    const f::SlotLoad load = f::read_slot(file, 7, "/", &p);
    ASSERT_TRUE(load.used);
    EXPECT_EQ(load.language, 2);
    EXPECT_EQ(load.folder, "/music/");
    EXPECT_EQ(load.name, name30("Stimme \x81" "ber alles"));

    EXPECT_FLOAT_EQ(p.INPUTGAIN, std::pow(10.0f, 6.0f / 20.0f));
    EXPECT_EQ(p.INPUTAUTO, 2);
    EXPECT_EQ(p.LEVE_ATT, 8000);
    EXPECT_EQ(p.LEVE_REL, 100000);
    EXPECT_EQ(p.KOMPR_THRBASS, amplitude_of_db(-12));
    EXPECT_EQ(p.KOMPR_THRMIDD, amplitude_of_db(-20));
    EXPECT_EQ(p.KOMPR_THRHIGH, amplitude_of_db(-3));
    EXPECT_EQ(p.KOMPR_RATBASS, 3.5f);
    EXPECT_EQ(p.KOMPR_RATMIDD, 1.25f);
    EXPECT_EQ(p.KOMPR_RATHIGH, 6.0f);
    // indices with the values of their tables
    EXPECT_EQ(p.KOMPR_ATTBASS, (TimeSetting{1, 20}));
    EXPECT_EQ(p.KOMPR_RELBASS, (TimeSetting{16, 150000}));
    EXPECT_EQ(p.KOMPR_ATTMIDD, (TimeSetting{2, 11}));
    EXPECT_EQ(p.KOMPR_RELMIDD, (TimeSetting{15, 51000}));
    EXPECT_EQ(p.KOMPR_ATTHIGH, (TimeSetting{3, 5}));
    EXPECT_EQ(p.KOMPR_RELHIGH, (TimeSetting{14, 11000}));
    EXPECT_EQ(p.KOMPR_OUTBASS, 0.0f);
    EXPECT_EQ(p.KOMPR_OUTMIDD, 1.13f);  // kept as stored, not snapped
    EXPECT_EQ(p.KOMPR_OUTHIGH, 1.0f);
    EXPECT_EQ(p.LIMI_THR, amplitude_of_db(-6));
    EXPECT_EQ(p.LIMI_ATT, (TimeSetting{4, 20}));      // the middle band's attack table
    EXPECT_EQ(p.LIMI_REL, (TimeSetting{12, 16000}));  // and its release table
    EXPECT_EQ(p.LIMI_OUTGAIN, 1.0f);
    EXPECT_EQ(p.GATEBASS, 1);
    EXPECT_EQ(p.GATEMIDD, 5);
    EXPECT_EQ(p.GATEHIGH, 6);
    EXPECT_EQ(p.HPF, 120);
    for (int k = 0; k < 12; ++k) EXPECT_EQ(p.EQ[k], -9.0f + 1.5f * k) << k;
    // not stored: left as they were
    EXPECT_EQ(p.KOMPR_BYPASS, 1);
    EXPECT_EQ(p.OUTFORMAT, 4);
    EXPECT_EQ(p.LEVE_TARGET, 13003);
}

TEST(SetupsLayout, TheWriterFollowsTheTable) {
    ParameterSet p;
    p.INPUTGAIN = 2.0f;
    p.KOMPR_THRMIDD = 1234;
    p.LIMI_OUTGAIN = 1.25f;
    p.GATEHIGH = 4;
    p.HPF = 150;
    p.EQ[0] = -3.5f;
    p.EQ[11] = 9.0f;
    p.LIMI_REL = {13, 25000};
    const f::Record r = f::encode_record("Name", p);
    const std::string s(r.begin(), r.end());
    EXPECT_EQ(s.substr(31, 4), f32(2.0f));
    EXPECT_EQ(s.substr(44, 4), i32(1234));
    EXPECT_EQ(s.substr(84, 4), f32(1.25f));
    EXPECT_EQ(s[83], 13);
    EXPECT_EQ(s[90], 4);
    EXPECT_EQ(static_cast<uint8_t>(s[91]), 150);
    EXPECT_EQ(s[92], 33);
    EXPECT_EQ(s[103], 58);
}

TEST(SetupsLayout, GatesAboveTheirRangeLoadAsOff) {
    for (int stored : {9, 7, 8, 255}) {
        std::string rec = hand_record(name30("g"));
        rec[88] = static_cast<char>(stored);
        ParameterSet p;
        p.GATEBASS = 3;
        f::read_record_fields(rec, p);
        EXPECT_EQ(p.GATEBASS, 0) << stored;
    }
}

TEST(SetupsLayout, FolderField) {
    EXPECT_EQ(f::decode_folder("C:" + std::string(97, ' '), "/"), "/");  // shorter than 3
    EXPECT_EQ(f::decode_folder("C:\\Musik\\" + std::string(90, ' '), "/"), "/");  // a Windows folder
    EXPECT_EQ(f::decode_folder("/home/a/" + std::string(91, ' '), "/"), "/home/a/");
    EXPECT_EQ(f::decode_folder(std::string("/a/\0xyz", 7), "/"), "/a/");
    EXPECT_EQ(f::decode_folder("/tm", "/"), "/tm");  // a file cut short
    EXPECT_EQ(f::decode_folder("", "/"), "/");
    EXPECT_FALSE(f::folder_storable("/a"));
    EXPECT_TRUE(f::folder_storable("/a/"));
    EXPECT_TRUE(f::folder_storable(std::string(99, 'a')));
    EXPECT_FALSE(f::folder_storable(std::string(100, 'a')));
    EXPECT_EQ(f::encode_folder("/a/"), "/a/" + std::string(96, ' '));
}

TEST(SetupsLayout, LanguageAndMarker) {
    std::string file = file_with(3, hand_record(name30("n")), 9);
    EXPECT_EQ(f::read_slot(file, 3, "/", nullptr).language, 2);
    file[0] = 0;
    EXPECT_EQ(f::read_slot(file, 3, "/", nullptr).language, 1);
    // any marker other than "3" is an empty slot; its settings are not read
    file[f::record_at(3) + 30] = '2';
    ParameterSet p, before;
    const f::SlotLoad load = f::read_slot(file, 3, "/", &p);
    EXPECT_TRUE(load.has_content);
    EXPECT_FALSE(load.used);
    EXPECT_EQ(p, before);
    // slot 4 lies beyond the end of this file
    EXPECT_FALSE(f::read_slot(file, 4, "/", nullptr).used);
    EXPECT_FALSE(f::read_slot("", 1, "/", nullptr).has_content);
    EXPECT_FALSE(f::read_slot(file, 21, "/", nullptr).used);
}

TEST(SetupsLayout, HostileNumbersStayInsideTheRanges) {
    std::string rec = hand_record(name30("h"));
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    rec.replace(31, 4, f32(nan));                 // INPUTGAIN: no number, kept
    rec[35] = 7;                                  // INPUTAUTO: no choice, kept
    rec.replace(36, 4, i32(-5));                  // threshold below the range
    rec.replace(40, 4, f32(inf));                 // ratio
    rec.replace(44, 4, i32(2000000000));          // threshold above
    rec.replace(48, 4, f32(2.6f));                // ratio off the grid
    rec.replace(56, 4, f32(-3.0f));
    rec[60] = 0;                                  // index below 1
    rec[61] = static_cast<char>(200);             // and above 16
    rec.replace(66, 4, f32(-1.0f));               // make-up below 0: mute
    rec.replace(70, 4, f32(1e30f));
    rec.replace(74, 4, f32(0.1f));                // between mute and the lowest step
    rec.replace(78, 4, i32(32767));               // limiter threshold above -1 dB
    rec.replace(84, 4, f32(40.0f));               // limiter gain far above what the threshold allows
    rec[91] = 99;                                 // HPF: no choice, kept
    rec[92] = static_cast<char>(255);             // EQ far above +9
    rec[93] = 0;                                  // and below -9
    ParameterSet p;
    p.INPUTGAIN = 2.0f;
    p.INPUTAUTO = 1;
    p.HPF = 100;
    f::read_record_fields(rec, p);
    EXPECT_EQ(p.INPUTGAIN, 2.0f);
    EXPECT_EQ(p.INPUTAUTO, 1);
    EXPECT_EQ(p.LEVE_ATT, 4000);
    EXPECT_EQ(p.KOMPR_THRBASS, amplitude_of_db(-30));
    EXPECT_EQ(p.KOMPR_RATBASS, 6.0f);
    EXPECT_EQ(p.KOMPR_THRMIDD, amplitude_of_db(-1));
    EXPECT_EQ(p.KOMPR_RATMIDD, 2.5f);
    EXPECT_EQ(p.KOMPR_RATHIGH, 1.0f);
    EXPECT_EQ(p.KOMPR_ATTBASS.index, 1);
    EXPECT_EQ(p.KOMPR_RELBASS.index, 16);
    EXPECT_EQ(p.KOMPR_RELBASS.value, 150000);
    EXPECT_EQ(p.KOMPR_OUTBASS, 0.0f);
    EXPECT_NEAR(20 * std::log10(p.KOMPR_OUTMIDD), 16.05, 1e-4);
    EXPECT_NEAR(20 * std::log10(p.KOMPR_OUTHIGH), -9.45, 1e-4);
    EXPECT_EQ(p.LIMI_THR, amplitude_of_db(-1));
    // at -1 dB the limiter's output gain cannot rise above 0 dB
    EXPECT_EQ(p.LIMI_OUTGAIN, 1.0f);
    EXPECT_EQ(p.HPF, 100);
    EXPECT_EQ(p.EQ[0], 9.0f);
    EXPECT_EQ(p.EQ[1], -9.0f);
}

TEST(SetupsLayout, TheLimiterPairIsHeldAsTheClicksWouldHoldIt) {
    std::string rec = hand_record(name30("l"));
    rec.replace(84, 4, f32(3.0f));  // +9.5 dB at -6 dB: more than the clicks reach
    ParameterSet p;
    f::read_record_fields(rec, p);
    EXPECT_NEAR(20 * std::log10(p.LIMI_OUTGAIN), 5.05, 1e-4);
    // the clicks agree: no further rise
    EXPECT_EQ(click_LIMI_OUTGAIN(p, BUTTON_RIGHT), LimiterClick::Refused);
}

TEST(SetupsLayout, ARecordCutShortGivesItsWholeFields) {
    const std::string rec = hand_record(name30("c"));
    ParameterSet p;
    const ParameterSet before = p;
    // cut in the middle of KOMPR_THRMIDD (offset 44)
    f::read_record_fields(rec.substr(0, 46), p);
    EXPECT_EQ(p.KOMPR_THRBASS, amplitude_of_db(-12));
    EXPECT_EQ(p.KOMPR_RATBASS, 3.5f);
    EXPECT_EQ(p.KOMPR_THRMIDD, before.KOMPR_THRMIDD);
    EXPECT_EQ(p.HPF, before.HPF);
    // a file that ends right behind the marker is a used slot with its name
    const std::string file = file_with(2, rec.substr(0, 31));
    ParameterSet q;
    const f::SlotLoad load = f::read_slot(file, 2, "/", &q);
    EXPECT_TRUE(load.used);
    EXPECT_EQ(load.name, name30("c"));
}

}  // namespace
}  // namespace sc
