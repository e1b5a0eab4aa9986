// Titles and filters of the file dialog.
#pragma once

#include <string_view>

#include "settings/text.h"

namespace sc::dialog_texts {

inline constexpr TextPair SAVE_TITLE{"Dateien Speichern", "SAVE FILE"};
inline constexpr TextPair OPEN_TITLE{"Dateien öffnen (WAV und MP3)", "OPEN FILE (WAV and MP3)"};
inline constexpr TextPair FOLDER_TITLE{"Ganzer Ordner (WAV oder MP3)", "Entire folder (WAV or MP3)"};
inline constexpr TextPair SEARCH{"Suche", "Search"};
inline constexpr std::string_view MEDIA_PLAYER_TITLE = " Windows Media Player (wmplayer.exe)";

inline constexpr std::string_view FILTER_WAV_LABEL = "Audio Dateien (*.WAV)";
inline constexpr std::string_view FILTER_WAV = "*.WAV";
inline constexpr std::string_view FILTER_MP3_LABEL = "Audio Dateien (*.MP3)";
inline constexpr std::string_view FILTER_MP3 = "*.MP3";
inline constexpr std::string_view FILTER_ANY = "*";

}  // namespace sc::dialog_texts
