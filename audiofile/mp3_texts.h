// Texts of the MP3 work through the encoder program.
#pragma once

#include "settings/text.h"

namespace sc::mp3_texts {

inline constexpr TextPair ENCODER_MISSING_1{
    " lame besorgen (kostenlos im Internet) Eine Kopie in den selben Ordner wie SONOCLAMPER.",
    " lame needet. Get a free copy (internet) Set it to the same folder as Sonoclamper."};
inline constexpr TextPair ENCODER_MISSING_2{" Das Tool lame ist hier für die Arbeit mit MP3 unerlässlich.",
                                            " The tool lame is essential for the work here with mp3."};

inline constexpr TextPair ATTENTION_1{" Beachte:  MP3-Dateien müssen mit dem Decoder LAME gewandelt werden.",
                                      " Attention: MP3-files  have to be decoded by LAME."};
inline constexpr TextPair ATTENTION_2{" Dieser erscheint in einem separaten Fenster. Nicht schliessen !!",
                                      " LAME will occur in an extra window. Don't stop it, please !!"};
inline constexpr TextPair DECODER_WORKS{" Warten. Decoder arbeitet.", " Waiting. Decoder works."};
inline constexpr TextPair DECODE_FAILED{" Fehler beim decodieren von MP3. Ordner Schreibschutz an?",
                                        " Failure: decoding MP3. Folder write-protection on?"};
inline constexpr TextPair ENCODE_FAILED{" Fehler beim Speichern in MP3.", " Failure: MP3-output not successful."};

}  // namespace sc::mp3_texts
