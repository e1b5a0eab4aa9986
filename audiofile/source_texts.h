// Texts of the source checks: the load-time reasons, the job-start
// rejection screen, the MUSIFILE hint and the non-PCM warning.
#pragma once

#include <string_view>

#include "settings/text.h"

namespace sc::source_texts {

// Load-time reasons, behind the failure or batch prefix.
inline constexpr TextPair REASON_UNKNOWN{" unknown  ... nicht bekannt.", " unknown  ... nicht bekannt."};
inline constexpr TextPair REASON_NOT_RIFF_WAVE{" Datei ist nicht RIFF / WAVE.", " File isn't RIFF / WAVE."};
inline constexpr TextPair REASON_NO_FMT{" FMT-Eintrag nicht gefunden.", " FMT-Entry not found."};
inline constexpr TextPair REASON_NOT_PCM{" Format ist nicht PCM.", " Format isn't PCM.."};
inline constexpr TextPair REASON_NOT_MONO_STEREO{" Format ist nicht  oder Stereo.", " Format isn't not Mono or Stereo."};
inline constexpr TextPair REASON_BITS{" Format ist nicht 16bit oder 24bit/mono.", " Format isn't not 16bit or 24bit/mono."};
inline constexpr TextPair REASON_SAMPLE_RATE{" Samplerate nicht 44-48 kHz.", " Samplerate not 44-48 kHz."};
inline constexpr TextPair REASON_NO_DATA{"Audiodaten nicht gefunden.", "Audiodata not found."};
inline constexpr TextPair REASON_TOO_BIG{"Datei zu gross.", "File too big."};
inline constexpr TextPair REASON_NOT_A_FILE{" Keine normale Datei (Ordner, Gerät oder Pipe).",
                                            " Not a regular file (folder, device or pipe)."};

inline constexpr TextPair FAILURE_PREFIX{" Fehler: ", " Failure:"};
inline constexpr TextPair BATCH_CLOSED_PREFIX{" Stapel wird beendet. Grund: ", " Batch is closed. Reason: "};
inline constexpr std::string_view LOAD_REJECT_LINE2 = "      ";

inline constexpr TextPair EXTENDED_FORMAT{
    " Datei enthält erweiterte Format-Infos. Das ist eventuell problematisch.",
    " File contains extended format-infos. That's potentially problematic."};

// The file line of the panel.
inline constexpr TextPair FILE_LABEL{"Datei: ", "File: "};

// MUSIFILE hint.
inline constexpr TextPair MUSIFILE_LINE1{" Datei mit MUSIFILE-Infos, normale Audiodaten folgen.",
                                         " File with MUSIFILE-infos, normal audio data following."};
inline constexpr TextPair MUSIFILE_LINE2{" Die Musifile-Infos werden ignoriert.               eine Taste drücken",
                                         " The Musifile-infos will not be copied.               Press any key."};

// Non-PCM warning (one language).
inline constexpr std::string_view NOT_PCM_SCREEN[] = {
    "",
    " Problem with your Original-Audio-File.",
    "",
    " It seem not to be the usual [PCM].",
    " You'll get your copy all the same.",
    " But check it at once !!!",
    "",
    " GO ON  ANY KEY",
};

// Job-start rejection screen.
inline constexpr TextPair PROBLEM_TITLE{" Problem mit der  Original-Audio-Datei.", " Problem with your Original-Audio-File."};
inline constexpr std::string_view MUSIFILE_INSTEAD =
    " The Fileheader begins with [MUSIFILE] instead of [RIFF....WAVE].";
inline constexpr TextPair BACK_TO_SYSTEM{" ZURÜCK zum SYSTEM - Beliebige Taste.", " EXIT TO SYSTEM - PRESS ANY KEY"};

inline constexpr std::string_view JOB_REASON_NOT_MONO_STEREO = " Not [MONO] or [STEREO]";
inline constexpr std::string_view JOB_REASON_MUSIFILE_NO_RIFF = " Fileheader [Musifile] and no [RIFF----WAVE] following.";
inline constexpr std::string_view JOB_REASON_NO_RIFF = " According to Fileheader no [RIFF----WAVE]";
inline constexpr std::string_view JOB_REASON_NO_DATA = " No Data-Chunk found.  Data-Chunk nicht zu finden.";
inline constexpr std::string_view JOB_REASON_NOT_16BIT = " Not 16-Bit Audio.";
inline constexpr std::string_view JOB_REASON_MUSIFILE_NO_FMT = " Fileheader [Musifile], found [RIFF----WAVE] but no [fmt]";
inline constexpr std::string_view JOB_REASON_NO_FMT = " Fileheader [RIFF----WAVE] but no [fmt]";
inline constexpr std::string_view JOB_REASON_TOO_SMALL = " File too small.  Datei zu klein.";
inline constexpr std::string_view JOB_REASON_TOO_BIG = " File too big.    Datei zu gross.";
inline constexpr std::string_view JOB_REASON_SAMPLE_RATE = " Samplerate. Only 44 kHz to 48 kHz.";
inline constexpr std::string_view JOB_REASON_NOT_FOUND = " File not found.  Datei nicht gefunden.";
inline constexpr std::string_view JOB_REASON_NOT_A_FILE = " Not a regular file.  Keine normale Datei.";

}  // namespace sc::source_texts
