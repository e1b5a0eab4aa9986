// Texts of the batches: the import hints, the folder collection, the file
// line, the finished batch.
#pragma once

#include <string_view>

#include "settings/text.h"

namespace sc::batch_texts {

inline constexpr std::string_view TOO_MANY_1 = " Too many files imported. Max number is 1000.";
inline constexpr std::string_view TOO_MANY_2 = " Closing program.";

inline constexpr TextPair SLOW_SETTINGS_1{" Empfehlung: langsames Attack und Release. Passt eher für beliebiges Audio.",
                                          " Commendation: select slow Attack and Release. Would fit better for any audio."};
inline constexpr TextPair NO_CHANGES_BETWEEN_FILES{" Zwischendurch ist keine Änderung an der Einstellung möglich.  ",
                                                   " No setup-changes possible between files."};
inline constexpr TextPair TUNE_FIRST_1{
    " Suche bei der ersten Datei nach der passenden Einstellung. START-Button zum Test.",
    " Search for best setting for the first file.  Use START-Button for test."};
inline constexpr TextPair TUNE_FIRST_2{"          ... Der Stapel wird mit  F12  gestartet ...  ",
                                       "      ... Then start  batch processing  with  F12 ...  "};

// F11: the folder as a batch.
inline constexpr TextPair FOLDER_1{
    " Jetzt ganzen Ordner als Stapel bestimmen: öffne eine beliebige Audio-Datei des Ordners.",
    " Going to load all files of a folder as batch: open any audio-file of the folder."};
inline constexpr TextPair FOLDER_2{" Nur die Dateien eines Tys (WAV oder MP3) werden geladen, maximal 1000 Stück.",
                                   " Only the files of ONE type (WAV or MP3) get loaded. Maximum number is 1000."};
inline constexpr TextPair FOLDER_3{" Bereits bearbeitete Dateien (---copy) werden ignoriert.",
                                   " Processed files (---copy) are beeing ignored."};
inline constexpr TextPair FOLDER_4{
    " Bearbeite die erste Datei normal, starte später die Stapelverarbeitung mit F12.",
    " Handle the first file as normal. Start batch-processing with F12 later."};
inline constexpr TextPair NO_CHANGES_AFTER_F12{
    " Nach F12 (Starte Stapel) ist keine Änderung an der Einstellung möglich.  ",
    " After F12 (start batch) there is no more setup-change possible."};
inline constexpr TextPair PROCESSED_ALREADY_1{" Datei wurde vermutlich bereits bearbeitet.",
                                              " File has probably been processed already."};
inline constexpr TextPair PROCESSED_ALREADY_2{
    "       Tipp: das <copy> im Dateinamen entfernen. Das geht auch im Öffnen-Fenster mit F2.",
    "       Tipp: remove the <copy> in the filename. You can do that in the Open-Window (F2)."};

// The batch step.
inline constexpr TextPair MP3_IN_BATCH_1{" Beachte: im Stapel sind MP3-Dateien. Der Decoder LAME wird benutzt.",
                                         " Attention: MP3's in batch. Decoder LAME will be used."};
inline constexpr TextPair MP3_IN_BATCH_2{" Dieser erscheint in einem separaten Fenster. Nicht schliessen !!",
                                         " LAME will occur in an extra window. Don't stop it, please !!"};
inline constexpr TextPair FINISHED_TITLE{"Fertig SONOCLAMPER", "Finished SONOCLAMPER"};
inline constexpr TextPair FINISHED_1{" Stapel ist fertig abgearbeitet.  Weiter mit einzelnen Dateien.",
                                     " Batch processing is finished.  Go on in single-file-mode."};
inline constexpr TextPair FINISHED_2{" Neuer Stapel: F11, oder SONOCLAMPER beenden, neu drag-and-drop.",
                                     " New batch: F11, or quit SONOCLAMPER and make a new drag-and-drop."};
inline constexpr TextPair FILE_LABEL{"Datei: ", "File: "};

}  // namespace sc::batch_texts
