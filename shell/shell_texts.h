// Texts of start-up, the orderly exit and the run-time error handler.
#pragma once

#include <string_view>

namespace sc::shell_texts {

// Error context 1: the job could not create its buffer file.
inline constexpr std::string_view BUFFER_ERROR[] = {
    "Error", "Copy Filename ist probably protectet.", "Or Disc full/not available.",
    "Copy Dateiname ist geschützt.", "Oder Speichermedium voll/entfernt.", "OK - Please restart."};

// Error context 2: the user setups file.
inline constexpr std::string_view SETUPS_FILE_ERROR[] = {
    "Error", "Trying to open User-Setups-File.", "Or Disc full/not available.",
    "Fehler", "Beim Öffnen der User-Setup-Datei.", "OK - Please restart."};

inline constexpr std::string_view UNKNOWN_ERROR = " An Error occured. Unbekannter Fehler.";
inline constexpr std::string_view ERROR_IN_LINE = " Error in Line ";
inline constexpr std::string_view REPORT_REQUEST = " Please tell the maker of SONOCLAMPER what you did just now.";

}  // namespace sc::shell_texts
