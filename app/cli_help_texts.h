// The prose of --help around the option table.
#pragma once

#include "settings/text.h"

namespace sc::cli::help_texts {

inline constexpr TextPair HEAD{
    "SONOCLAMPER - hebt und bändigt die Lautheit von Audiodateien.\n"
    "\n"
    "Aufruf:\n"
    "  sonoclamper [DATEI...]           das Fenster öffnen (die Dateien als Stapel)\n"
    "  sonoclamper --screenshot BILD.png [--lang de|en]\n"
    "                                   das Bedienfeld nach dem Start als PNG-Bild\n"
    "                                   speichern und enden (braucht keine Anzeige)\n"
    "  sonoclamper --process [OPTIONEN] [--] DATEI...\n"
    "                                   die Dateien ohne Fenster bearbeiten\n"
    "  sonoclamper --list-presets | --show-settings [OPTIONEN] | --version | --help\n"
    "\n"
    "Jede DATEI (WAV: PCM, Mono oder Stereo, 16 Bit oder 24 Bit Mono, 44000 bis\n"
    "48300 Hz) wird neben sich als NAME---copy.WAV geschrieben; die Quelle bleibt\n"
    "unverändert. Ein älteres Ergebnis gleichen Namens wird ersetzt; eines, das\n"
    "sich nicht ersetzen lässt, bleibt, und das Ergebnis bekommt den nächsten freien\n"
    "Namen NAME-A-copy.WAV ... NAME-U-copy.WAV. Während der Arbeit heißt das\n"
    "Ergebnis NAME---copy.WAV.buf.\n"
    "\n"
    "Optionen (auch als --option=WERT; \"--\" beendet die Optionen):\n",
    "SONOCLAMPER - raises and controls the loudness of audio files.\n"
    "\n"
    "Usage:\n"
    "  sonoclamper [FILE...]            open the window (with the files as a batch)\n"
    "  sonoclamper --screenshot FILE.png [--lang de|en]\n"
    "                                   draw the panel after start-up into a PNG\n"
    "                                   picture and end (needs no display)\n"
    "  sonoclamper --process [OPTIONS] [--] FILE...\n"
    "                                   process the files without a window\n"
    "  sonoclamper --list-presets | --show-settings [OPTIONS] | --version | --help\n"
    "\n"
    "Each FILE (WAV: PCM, mono or stereo, 16 bit, or 24 bit mono, 44000 to 48300 Hz)\n"
    "is written beside itself as NAME---copy.WAV; the source is never changed. An\n"
    "older result of the same name is replaced; one that cannot be replaced is kept\n"
    "and the result gets the next free name NAME-A-copy.WAV ... NAME-U-copy.WAV.\n"
    "While the job runs the result is called NAME---copy.WAV.buf.\n"
    "\n"
    "Options (also as --option=VALUE; \"--\" ends the options):\n"};

inline constexpr TextPair TAIL{
    "\n"
    "Einstellungsoptionen wirken auf das Preset. Der Fortschritt (Datei, Prozent,\n"
    "Tempo, Restzeit) geht auf die Standardfehlerausgabe, wenn sie ein Terminal\n"
    "ist; Ergebnisse gehen auf die Standardausgabe, Fehlschläge und die\n"
    "Schlusszeile (bearbeitet, übersprungen, fehlgeschlagen) auf die\n"
    "Standardfehlerausgabe.\n"
    "\n"
    "Rückgabewert: 0, wenn jede Datei bearbeitet (oder mit --no-clobber\n"
    "übersprungen) wurde; 1, wenn eine Datei nicht bearbeitet wurde oder\n"
    "fehlschlug; 2 bei einem Bedienfehler; 128 + N nach dem Signal N.\n"
    "\n"
    "Umgebung: LC_ALL, LC_MESSAGES, LANG (Sprache), TMPDIR, TEMP (Arbeitsdateien),\n"
    "XDG_CONFIG_HOME (Benutzer-Setups des Fensters).\n",
    "\n"
    "Settings options act on top of the preset. Progress (file, percent, speed,\n"
    "time left) goes to the standard error when it is a terminal; results go to the\n"
    "standard output, failures and the closing summary (processed, skipped, failed)\n"
    "to the standard error.\n"
    "\n"
    "Exit status: 0 when every file was processed (or skipped by --no-clobber);\n"
    "1 when any file was not processed or failed; 2 for a usage error; 128 + N\n"
    "after the signal N.\n"
    "\n"
    "Environment: LC_ALL, LC_MESSAGES, LANG (language), TMPDIR, TEMP (work files),\n"
    "XDG_CONFIG_HOME (the window's user setups).\n"};

}  // namespace sc::cli::help_texts
