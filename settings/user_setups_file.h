// The user setups file "SONOCLAMPER-SETUP-308": the language, the last-used
// folder and 20 named setups, each at a fixed byte position.
//
//   offset 0        1 byte    language (1 German, 2 English)
//   offset 1        99 bytes  last-used folder, padded with spaces
//   offset 100..249           reserved, never written
//   offset 120 s + 130        120-byte record of slot s = 1 ... 20
//
// A record: the name (30 bytes, code page 437, padded with spaces), the
// marker "3" of a used slot, then the settings in little-endian int32, float32
// and single bytes, and a tail of 15 spaces and a carriage return.
//
// Everything here works on bytes in memory; reading and writing the file is
// the shell's.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "settings/parameter_set.h"

namespace sc::setups_file {

inline constexpr int SLOTS = 20;
inline constexpr std::size_t LANGUAGE_AT = 0;
inline constexpr std::size_t FOLDER_AT = 1;
inline constexpr std::size_t FOLDER_LENGTH = 99;
inline constexpr std::size_t FOLDER_MIN = 3;  // shorter folders are neither stored nor loaded
inline constexpr std::size_t RECORD_LENGTH = 120;
inline constexpr std::size_t NAME_LENGTH = 30;
inline constexpr std::size_t MARKER_AT = 30;
inline constexpr char MARKER = '3';
inline constexpr std::size_t TAIL_AT = 104;

// Byte offset (from 0) of the record of slot 1 ... 20.
constexpr std::size_t record_at(int slot) { return RECORD_LENGTH * static_cast<std::size_t>(slot) + 130; }
// Bytes of the file that any load looks at: up to the end of slot 20.
inline constexpr std::size_t USED_LENGTH = record_at(SLOTS) + RECORD_LENGTH;

using Record = std::array<uint8_t, RECORD_LENGTH>;

// One equalizer gain as its byte: floor(2 dB + 0.1) + 40 (held in 0 ... 255),
// and back: byte / 2 - 20.
uint8_t eq_byte(float db);
float eq_db(uint8_t b);

// The name of a record as 30 bytes: cut or padded with spaces.
std::string record_name_bytes(std::string_view name_cp437);
// A whole record: the name, the marker, the stored settings and the tail.
Record encode_record(std::string_view name_cp437, const ParameterSet& p);

// The 99 bytes of the folder field. Only folders of 3 ... 99 bytes are
// stored; false for any other.
bool folder_storable(std::string_view folder);
std::string encode_folder(std::string_view folder);
// The folder a field holds (fewer bytes when the file is cut short): up to
// a zero byte, trailing spaces removed. A result shorter than 3 characters,
// or one that is no absolute path of the root's system (a drive path
// "X:\..." beside the root "/", a "/..." path beside a drive root "C:\"),
// becomes the root.
std::string decode_folder(std::string_view field, const std::string& root);

// The language byte, clamped to 1 ... 2.
int16_t decode_language(uint8_t b);

// Reads the settings of a record into the parameter set, field by field in
// the order of the record; a record cut short gives only its whole fields.
// Every setting stays inside its range and on its grid: numbers are clamped
// and snapped, a value that is no number (NaN) or no allowed choice keeps
// the setting as it was, a gate above 6 is off. The time values follow their
// indices and the leveler times the leveler mode. Not stored, hence left:
// KOMPR_BYPASS, OUTFORMAT, LEVE_TARGET.
void read_record_fields(std::string_view record, ParameterSet& p);

// What one load of a slot found in the file.
struct SlotLoad {
    bool has_content = false;  // the file is not empty
    int16_t language = 1;
    std::string folder;
    bool used = false;         // the record carries the marker
    std::string name;          // 30 bytes, code page 437
};

// The load of slot 1 ... 20 from the bytes of the file (its first
// USED_LENGTH bytes are enough). With `params` the record's settings are
// read into them (only for a used slot); without, only the names.
SlotLoad read_slot(std::string_view file, int slot, const std::string& root, ParameterSet* params);

}  // namespace sc::setups_file
