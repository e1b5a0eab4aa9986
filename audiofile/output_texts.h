// Texts of the output writer: removing work files and older targets, the
// alternative names, the ready hint.
#pragma once

#include <string_view>

#include "settings/text.h"

namespace sc::output_texts {

inline constexpr TextPair BUFFER_NOT_DELETED{" Fehler beim Löschen der WAV Zwischenspeicherung.",
                                             " Failure: WAV buffer-file couldn't be deleted."};
inline constexpr TextPair REHEARSAL_NOT_DELETED{" Fehler beim Löschen der alten Datei Probehören.",
                                                " Failure: WAV buffer-file couldn't be deleted."};
inline constexpr TextPair MP3_BUFFER_NOT_DELETED{" Fehler beim Löschen der MP3 Zwischenspeicherung.",
                                                 " Failure: MP3 buffer-file couldn't be deleted."};
inline constexpr TextPair PROTECTED_FOLDER_1{" Vermutlich ist der Ordner schreibgeschützt.", " Probably write-protected folder."};
inline constexpr TextPair PROTECTED_FOLDER_2{" Bitte dringend den Schreibschutz deaktivieren.",
                                             " It is highly recommendet to remove the protection."};

inline constexpr TextPair TARGET_NOT_DELETED{
    " Fehler beim Löschen der Zieldatei (alte Fassung). Vermutlich Schreibschutz.",
    " Failure:  target file couldn't be deleted (old version). Probably Write-Protection."};
inline constexpr TextPair MP3_TARGET_NOT_DELETED{
    " Fehler beim Löschen der Zieldatei (alte Fassung). Vermutlich Schreibschutz.",
    " Failure:  target file couldn't be deleted (old version). Probably Write-Protection.."};
inline constexpr TextPair TRYING_OTHER_NAME{" Versuche anderen Namen der Zieldatei.", " SONOCLAMPER tries other target filename."};
inline constexpr TextPair NO_NAME_FREE{" Kein Ersatz-Name frei. Programm muss leider beendet werden.",
                                       " No alternative filename free. Program must be quit."};

inline constexpr TextPair BUFFER_BUSY{" Diese Datei bearbeitet gerade ein anderes SONOCLAMPER.",
                                      " Another SONOCLAMPER is processing this file right now."};
inline constexpr TextPair WRITE_FAILED{" Fehler beim Schreiben der Kopie.  Letzte Copy bleibt erhalten.",
                                       " Failure writing the copy.  Latest copy stays alive."};

inline constexpr TextPair READY{" Fertig. Zieldatei ist  ... ", " Ready.  Targe file  is ... "};
inline constexpr TextPair READY_LINE2{"             Neue Bearbeitungen (START) überschreiben diese Datei.",
                                      "             New processing (START) will overwrite this file."};
inline constexpr TextPair READY_BATCH{"  F12=Stapel.", "  F12=batch."};
inline constexpr TextPair READY_TIP{" Diese Version sichern: umbenennen oder Schreibschutz (Windows-Explorer).",
                                    " Hold this version:  rename  or  write-protect (Windows-Explorer)."};
inline constexpr int16_t READY_TIP_ROW = 20;
inline constexpr int16_t READY_TIP_COLUMN = 63;

}  // namespace sc::output_texts
