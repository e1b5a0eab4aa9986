// Texts of the playback, the external player and the rehearsal.
#pragma once

#include "settings/text.h"

namespace sc::playback_texts {

inline constexpr TextPair NOT_PLAYABLE1{" Spieldauer via Windows nicht ermittelbar. Vermutlich nicht abspielbar.",
                                        " Playing time can't be detected by windows-command. Probably not able to play."};
inline constexpr TextPair NOT_PLAYABLE2{" Eventuell geht Zoombereich spielen (Leertaste).",
                                        " Try to play zoom-area  (space-key)."};
inline constexpr std::string_view PLAY_PREFIX = "PLAY ";
inline constexpr std::string_view PLAY_ZOOM = "PLAY Zoom";

// The fallback with the player found at start-up.
inline constexpr TextPair FALLBACK1{" Abspielen mit Windows-Media-Player, weil Standart-Tool nicht reagiert hat.",
                                    " Play by Windows-Media-Player, because standard-tool didn't react."};
inline constexpr TextPair FALLBACK2{"  Weiter, wenn Player beendet.", "  Will continue, when Player is off."};
// The fallback without one: the user is asked for a player program.
inline constexpr TextPair NO_PLAYER1{" SONOCLAMPER kann Windows nicht zum Abspielen der Datei bewegen.",
                                     " SONOCLAMPER can't persuade windows to play the file."};
inline constexpr TextPair NO_PLAYER2{" Geben Sie an, wo sich der Windows Media Player befindet (wmplayer.exe).",
                                     " Search for Windows Media Player (wmplayer)."};
inline constexpr TextPair PLAYER_NOT_FOUND{" WMPlayer.exe nicht gefunden.", " WMPlayer.exe not found."};
inline constexpr TextPair WAIT_FOR_PICKED{" Warte auf WMPlayer. Weiter, wenn Player beendet.",
                                          " Wait for WMPlayer. Will continue, when Player is off."};

// The W key.
inline constexpr TextPair W_WAIT1{" Warte auf Windows Media Player.", " Waiting for Windows Media Player."};
inline constexpr TextPair W_WAIT2{"      SONOCLAMPER wird erst fortgesetzt, wenn der Player beendet ist.",
                                  "      SONOCLAMPER stops until Player is beeing quit."};

// The zoom area.
inline constexpr TextPair ZOOM_PREPARING{" Bitte warten...  Zoombereich wird vorbereitet und gespielt  ....",
                                         " Please, wait...  zoom-area gets prepared and played ...."};

// The rehearsal hint of the block loop.
inline constexpr TextPair REHEARSAL_HINT{" Probehören der Bearbeitung an aktueller Stelle:   ",
                                         " Rehearsal of compressed track at current position:   "};
inline constexpr TextPair REHEARSAL_ALLOWED{"Taste P  (und kurz warten).", "press P  (and wait 2 secs)"};
inline constexpr TextPair REHEARSAL_LOCKED{"gesperrt, wegen Zeit.", "locked, because of time."};
inline constexpr TextPair REHEARSAL_STOP{" Abbruch:  Klick auf STOP-Button (siehe oben).",
                                         " Stop working: click STOP-button."};

}  // namespace sc::playback_texts
