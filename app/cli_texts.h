// What the command line says, in German and English. The window has its own
// texts; these are plain sentences for a terminal or a script. "{1}", "{2}"
// ... stand for the values filled in by say().
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "settings/text.h"

namespace sc::cli {

// The text in the language with {1}, {2}, ... replaced by the values.
std::string say(const TextPair& text, int16_t language, std::initializer_list<std::string_view> values = {});

namespace texts {

// --- usage ---------------------------------------------------------------------
inline constexpr TextPair PROGRAM_PREFIX{"sonoclamper: ", "sonoclamper: "};
inline constexpr TextPair SEE_HELP{"Hilfe: sonoclamper --help", "Help: sonoclamper --help"};
inline constexpr TextPair UNKNOWN_OPTION{"unbekannte Option {1}", "unknown option {1}"};
inline constexpr TextPair DID_YOU_MEAN{"Meinten Sie {1}?", "Did you mean {1}?"};
inline constexpr TextPair NEEDS_VALUE{"{1} braucht einen Wert: {2}", "{1} needs a value: {2}"};
inline constexpr TextPair TAKES_NO_VALUE{"{1} nimmt keinen Wert an", "{1} takes no value"};
inline constexpr TextPair BAD_VALUE{"{1}: \"{2}\" geht nicht; erlaubt ist {3}", "{1}: \"{2}\" will not do; it takes {3}"};
inline constexpr TextPair NOTHING_TO_DO{"nichts zu tun: --process und die Dateien angeben",
                                        "nothing to do: give --process and the files"};
inline constexpr TextPair NO_FILES{"--process braucht mindestens eine Datei", "--process needs at least one file"};
inline constexpr TextPair UNKNOWN_PRESET{"unbekanntes Preset \"{1}\"", "unknown preset \"{1}\""};
inline constexpr TextPair ALL_PRESETS{"Alle Presets: sonoclamper --list-presets",
                                      "All presets: sonoclamper --list-presets"};
inline constexpr TextPair OUTPUT_DIR_UNUSABLE{"--output-dir {1}: {2}", "--output-dir {1}: {2}"};
inline constexpr TextPair NOT_A_FOLDER{"kein Ordner", "not a folder"};

// The values the options take, for BAD_VALUE and NEEDS_VALUE.
inline constexpr TextPair VALUE_LANG{"de oder en", "de or en"};
inline constexpr TextPair VALUE_JOBS{"eine Zahl von 1 bis 64", "a number from 1 to 64"};
inline constexpr TextPair VALUE_HPF{"off, 100, 120 oder 150", "off, 100, 120 or 150"};
inline constexpr TextPair VALUE_EQ{"BAND=dB: Band 1..12 oder 100 ... 15000 Hz (auch 1k, 6.3k), -9 bis +9 dB in Schritten von 0,5",
                                   "BAND=dB: band 1..12 or 100 ... 15000 Hz (also 1k, 6.3k), -9 to +9 dB in steps of 0.5"};
inline constexpr TextPair VALUE_INPUT_GAIN{"ganze dB von -3 bis 18", "whole dB from -3 to 18"};
inline constexpr TextPair VALUE_LEVELER{"off, fast oder slow", "off, fast or slow"};
inline constexpr TextPair VALUE_PRESET{"der Name eines Presets", "the name of a preset"};
inline constexpr TextPair VALUE_USER_SETUP{"ein Platz 1..20 oder der Name eines gespeicherten User-Setups",
                                           "a slot 1..20 or the name of a saved user setup"};
inline constexpr TextPair VALUE_FOLDER{"ein Ordner", "a folder"};
inline constexpr TextPair VALUE_OUTFORMAT{"1 (WAV) oder 2 ... 9 (MP3)", "1 (WAV) or 2 ... 9 (MP3)"};

// --- one file ------------------------------------------------------------------
inline constexpr TextPair WRITTEN{"{1}: geschrieben als {2}", "{1}: written as {2}"};
inline constexpr TextPair WRITTEN_INSTEAD{"{1}: {2} ließ sich nicht ersetzen; geschrieben als {3}",
                                          "{1}: {2} could not be replaced; written as {3}"};
inline constexpr TextPair SKIPPED_EXISTS{"{1}: übersprungen, {2} gibt es schon (--no-clobber)",
                                         "{1}: skipped, {2} exists already (--no-clobber)"};
inline constexpr TextPair NOT_PROCESSED{"{1}: nicht bearbeitet: {2}", "{1}: not processed: {2}"};
inline constexpr TextPair FAILED{"{1}: fehlgeschlagen: {2}", "{1}: failed: {2}"};
inline constexpr TextPair MUSIFILE_NOTE{"{1}: der DIGAS-Vorspann (MUSIFILE) wird nicht übernommen",
                                        "{1}: the DIGAS header (MUSIFILE) in front of the audio is not copied"};

// Reasons of NOT_PROCESSED.
inline constexpr TextPair CANNOT_READ{"nicht lesbar ({1})", "cannot be read ({1})"};
inline constexpr TextPair IS_FOLDER{"ein Ordner, keine Audiodatei", "a folder, not an audio file"};
inline constexpr TextPair NOT_REGULAR{"keine gewöhnliche Datei (Gerät, Pipe oder Socket)",
                                      "not a regular file (a device, pipe or socket)"};
inline constexpr TextPair IS_RESULT{"schon ein Ergebnis dieses Programms; es wird nicht noch einmal bearbeitet",
                                    "already a result of this program; it is not processed again"};
inline constexpr TextPair NOT_RIFF_WAVE{"keine WAV-Datei (kein RIFF/WAVE-Kopf)", "not a WAV file (no RIFF/WAVE header)"};
inline constexpr TextPair MUSIFILE_NOT_RIFF_WAVE{"DIGAS-Vorspann (MUSIFILE), aber keine WAV-Daten dahinter",
                                                 "a DIGAS header (MUSIFILE) without WAV data behind it"};
inline constexpr TextPair NO_FMT{"kein Format-Block (\"fmt \") in der Datei", "no format chunk (\"fmt \") in the file"};
inline constexpr TextPair NOT_PCM{"keine PCM-Audiodaten (Formatkennung {1})", "not PCM audio (format tag {1})"};
inline constexpr TextPair NOT_MONO_STEREO{"{1} Kanäle; bearbeitet werden Mono und Stereo",
                                          "{1} channels; only mono and stereo are processed"};
inline constexpr TextPair BITS{"{1} Bit je Abtastwert; bearbeitet werden 16 Bit, bei Mono auch 24 Bit",
                               "{1} bits per sample; only 16 bit, and 24 bit in mono, are processed"};
inline constexpr TextPair SAMPLE_RATE{"Abtastrate {1} Hz; bearbeitet werden 44000 bis 48300 Hz",
                                      "sample rate {1} Hz; only 44000 to 48300 Hz are processed"};
inline constexpr TextPair NO_DATA{"keine Audiodaten (\"data\") in der Datei", "no audio data (\"data\") in the file"};
inline constexpr TextPair TOO_BIG{"zu groß: mehr als 1999888000 Byte Audiodaten",
                                  "too big: more than 1999888000 bytes of audio"};
inline constexpr TextPair TOO_SMALL{"zu kurz: nötig sind 5 Sekunden Audio und 45000 Byte",
                                    "too short: 5 seconds of audio and 45000 bytes are needed"};
inline constexpr TextPair NOT_FOUND{"nicht gefunden", "not found"};
inline constexpr TextPair UNEXPECTED{"unerwarteter Fehler", "unexpected failure"};
inline constexpr TextPair NO_FREE_NAME{"kein freier Name für das Ergebnis ({1} und die Namen mit A bis U sind belegt)",
                                       "no free name for the result ({1} and the names with A to U are taken)"};
inline constexpr TextPair CANNOT_WRITE{"{1} ließ sich nicht schreiben ({2}); ein älteres Ergebnis bleibt",
                                      "cannot write {1} ({2}); an older result stays as it was"};
inline constexpr TextPair BUSY{"ein anderes SONOCLAMPER bearbeitet diese Datei gerade",
                               "another SONOCLAMPER is processing this file right now"};
inline constexpr TextPair SAME_RESULT{"gleiche Ergebnisdatei wie bei {1}; übersprungen",
                                      "it would write the same result as {1}; skipped"};
inline constexpr TextPair INTERRUPTED{"abgebrochen durch das Signal {1}; ein älteres Ergebnis bleibt",
                                      "interrupted by signal {1}; an older result stays as it was"};
inline constexpr TextPair NO_MP3{"kein MP3-Ergebnis: der Encoder (lame) schlug fehl",
                                "no MP3 result: the encoder (lame) failed"};
inline constexpr TextPair NO_ENCODER{"MP3 braucht das Programm lame (im Programmordner oder im PATH); es fehlt",
                                    "MP3 needs the program lame (in the program's folder or on PATH); it is missing"};
inline constexpr TextPair NOT_DECODED{"lame konnte die MP3-Datei nicht decodieren",
                                     "lame could not decode the MP3 file"};

inline constexpr TextPair LOUDNESS{"{1}: Lautheit {2} LUFS, Umfang {3} LU, True Peak {4} dBTP",
                                  "{1}: loudness {2} LUFS, range {3} LU, true peak {4} dBTP"};
inline constexpr TextPair NOT_MEASURED{"{1}: Lautheit nicht messbar", "{1}: loudness cannot be measured"};

// --- the run -------------------------------------------------------------------
inline constexpr TextPair SUMMARY{"{1} bearbeitet, {2} übersprungen, {3} fehlgeschlagen",
                                 "{1} processed, {2} skipped, {3} failed"};
inline constexpr TextPair TIME_LEFT{"noch {1}", "{1} left"};
inline constexpr TextPair VERSION{"sonoclamper {1}", "sonoclamper {1}"};

// The user setups saved in the window (--user-setup, --list-user-setups).
inline constexpr TextPair USER_SETUP_EMPTY{"auf Platz {1} ist kein User-Setup gespeichert (--list-user-setups zeigt sie)",
                                           "user setup slot {1} holds no saved setup (--list-user-setups shows them)"};
inline constexpr TextPair USER_SETUP_UNKNOWN{
    "kein gespeichertes User-Setup heißt \"{1}\" (--list-user-setups zeigt sie)",
    "no saved user setup is named \"{1}\" (--list-user-setups shows them)"};
inline constexpr TextPair USER_SETUPS_UNREADABLE{"die User-Setup-Datei {1} kann nicht gelesen werden",
                                                 "the user setups file {1} cannot be read"};
inline constexpr TextPair USER_SETUPS_HEAD{"Gespeicherte User-Setups in {1}:", "Saved user setups in {1}:"};
inline constexpr TextPair USER_SETUPS_NONE{"Keine User-Setups gespeichert in {1}", "No user setups saved in {1}"};

}  // namespace texts
}  // namespace sc::cli
