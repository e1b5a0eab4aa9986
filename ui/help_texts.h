// The six help pages (INFO), German and English. One text row per line;
// a line beginning with "# " is a heading and is drawn in the second colour.
#pragma once

#include <array>

#include "settings/text.h"

namespace sc::ui::help_texts {

inline constexpr TextPair NAVIGATION{" WEITER  (beliebige Taste)  Zur Seite ", " GO ON (Any Key)  TO Page "};
inline constexpr TextPair OF_PAGES{" von 6.", " of 6."};
inline constexpr TextPair NAVIGATION_LAST{" WEITER  (beliebige Taste)  Zum Programm.",
                                          " GO ON (Any Key)  back to main page."};

inline constexpr TextPair PAGE_1{
    R"(# SONOCLAMPER - Lautheit von Audiodateien anheben und kontrollieren

SONOCLAMPER ist ein Multiband-Kompressor mit Limiter für Audiodateien. Er arbeitet nicht in
Echtzeit, sondern rechnet eine ganze Datei auf einmal durch.

# Welche Dateien?
  WAV (PCM) und MP3, mono und stereo, Abtastraten von 44 bis 48 kHz (44000 ... 48300 Hz).
  WAV-Dateien mit 16 Bit; 24 Bit nur bei Mono-Dateien.
  WAV-Dateien mit dem MUSIFILE-Kopf des DIGAS-Sendesystems werden ebenfalls gelesen.

# Die Quelldatei bleibt unverändert
  Das Ergebnis ist immer eine neue Datei im Ordner der Quelle:
     <Name>---copy.WAV      oder bei MP3-Ausgabe      <Name>--3copy.MP3
  Die Quelldatei selbst wird nie verändert.

# Kein Speichern-Befehl
  Es gibt keinen Befehl zum Speichern: die Kopie wird gleich nach der Bearbeitung geschrieben.
  Während der Bearbeitung entsteht sie als <Name>---copy.WAV.buf und wird erst am Ende
  umbenannt; ein Abbruch hinterlässt also keine halbe Kopie.

# MP3 nur mit dem Programm lame
  MP3-Dateien werden mit dem Encoder-Programm "lame" gelesen und geschrieben. SONOCLAMPER
  sucht es zuerst im eigenen Programmordner, dann im Suchpfad (PATH). Unter Debian und Ubuntu
  installiert es das Paket "lame" (sudo apt-get install lame).
  Erprobt mit LAME 3.100, der Version dieser Systeme. Fehlt lame, bleiben WAV-Dateien
  voll nutzbar; die Ausgabe MP3 ist dann gesperrt.

# Auch ohne Fenster
  Im Terminal bearbeitet   sonoclamper --process DATEI...   Dateien ohne Fenster mit
  denselben Einstellungen (sonoclamper --help zeigt alle Optionen).)",
    R"(# SONOCLAMPER - raising and controlling the loudness of audio files

SONOCLAMPER is a multiband compressor plus limiter for audio files. It does not work in
real time: it computes a whole file in one go.

# Which files?
  WAV (PCM) and MP3, mono and stereo, sample rates of 44 to 48 kHz (44000 ... 48300 Hz).
  WAV files with 16 bits; 24 bits for mono files only.
  WAV files behind the MUSIFILE header of the DIGAS broadcast system are read as well.

# The source file stays unchanged
  The result is always a new file in the folder of the source:
     <name>---copy.WAV      or, for MP3 output,      <name>--3copy.MP3
  The source file itself is never changed.

# No save command
  There is no save command: the copy is written right after processing.
  While processing it grows as <name>---copy.WAV.buf and gets its name only at the end,
  so a stopped job never leaves half a copy behind.

# MP3 only with the program lame
  MP3 files are read and written by the encoder program "lame". SONOCLAMPER looks for it in
  its own program folder first, then on the search path (PATH). On Debian and Ubuntu the
  package "lame" installs it (sudo apt-get install lame).
  Tried with LAME 3.100, the version these systems ship. Without lame, WAV files work as
  usual; only the MP3 output is locked.

# Without a window, too
  In a terminal,   sonoclamper --process FILE...   processes files without the window,
  with the same settings (sonoclamper --help lists every option).)"};

inline constexpr TextPair PAGE_2{
    R"(# Bedienung

# Datei laden
  OPEN oder Taste O öffnet eine Datei (WAV oder MP3). Im Öffnen-Fenster: Pfeiltasten, Bild
  auf/ab und Mausrad wählen, Enter öffnet, Rücktaste geht einen Ordner höher, Tab wechselt
  zwischen WAV und MP3, Esc bricht ab. Ein Name oder ein ganzer Pfad kann auch eingetippt werden.
  F11 wählt einen ganzen Ordner: alle Dateien des gewählten Typs darin werden ein Stapel.

# Stapel (Batch)
  Dateien auf das Programmfenster oder auf das Programmsymbol des Desktops ziehen (oder
  "sonoclamper Datei1 Datei2 ..." starten): die Liste wird ein Stapel von bis zu 1000 Dateien.
  F12 startet den Stapel; alle Dateien werden mit denselben Einstellungen bearbeitet.

# Einstellen
  Ein Setup wählen (VOC, MUS, MORE V, MORE I oder ein eigenes u01 ... u20), dann das
  Ausgabeformat (WAV oder MP3 in mehreren Bitraten) und die Sprache.
  Jeder Regler dreht sich mit der linken (weniger) und der rechten Maustaste (mehr).
  Steht die Maus über einem Element, erklärt es die Infozeile unten.
  Über dem Equalizer: F2 zeigt den Frequenzgang, die Taste 0 setzt alle Bänder auf 0 dB.

# Bearbeiten und Hören
  START bearbeitet die geladene Datei. Während der Bearbeitung spielt die Taste P eine
  Hörprobe des schon Bearbeiteten; STOP bricht ab.
  Ein Klick in ein Hüllkurvenfenster spielt die Datei ab, die Leertaste den Ausschnitt unter
  der Maus. Die Taste W spielt mit einem externen Player (mpv, vlc, ffplay oder play).
  Erneutes Bearbeiten überschreibt die alte Kopie. Ist sie schreibgeschützt, erhält die neue
  Kopie den nächsten freien Namen (<Name>-A-copy.WAV ... <Name>-U-copy.WAV).

# Beenden
  EXIT oder das Schließfeld des Fensters. Arbeitsdateien werden dabei gelöscht.)",
    R"(# Operation

# Loading a file
  OPEN or the O key opens one file (WAV or MP3). In the open window: arrow keys, Page Up/Down
  and the mouse wheel choose, Enter opens, Backspace goes up one folder, Tab switches between
  WAV and MP3, Esc cancels. A name or a whole path can be typed as well.
  F11 picks a whole folder: all files of the chosen type in it become a batch.

# Batches
  Drop files onto the program window or onto the program's desktop launcher (or start
  "sonoclamper file1 file2 ..."): the list becomes a batch of up to 1000 files.
  F12 starts the batch; every file is processed with the same settings.

# Setting up
  Choose a setup (VOC, MUS, MORE V, MORE I or one of your own, u01 ... u20), then the output
  format (WAV, or MP3 at several bit rates) and the language.
  Every knob turns with the left (less) and the right mouse button (more).
  With the mouse over an element, the info line at the bottom explains it.
  Over the equalizer: F2 shows its response, the 0 key sets every band to 0 dB.

# Processing and listening
  START processes the loaded file. During processing the P key plays a rehearsal of what is
  already done; STOP cancels.
  A click into an envelope window plays the file, the space bar the piece under the mouse.
  The W key plays it with an outside player (mpv, vlc, ffplay or play).
  Processing again overwrites the old copy. When that one is write-protected, the new copy
  gets the next free name (<name>-A-copy.WAV ... <name>-U-copy.WAV).

# Quitting
  EXIT or the window's close button. Work files are removed on the way out.)"};

inline constexpr TextPair PAGE_3{
    R"(# Grundlagen der Kompression

# Warum nicht einfach lauter?
  Eine feste Verstärkung ist durch die lauteste Stelle begrenzt: sie darf 0 dBFS nicht
  überschreiten. Was darüber hinausgeht, wird abgeschnitten (Clipping) und klingt verzerrt.

# Kompressor und Limiter
  Sie senken die Verstärkung nur dort, wo das Signal laut ist. Danach kann das Ganze lauter
  werden, ohne zu übersteuern. Wie stark gerade abgesenkt wird, zeigen die roten LEDs der
  Gain-Reduction-Anzeigen.

# Threshold und Ratio
  THRESHOLD (THRE) ist die Schwelle, ab der abgesenkt wird. RATIO ist das Verhältnis über der
  Schwelle: bei 3:1 wird aus 3 dB mehr am Eingang nur 1 dB mehr am Ausgang.
  Der Limiter hat ein unendliches Verhältnis: über seine Schwelle kommt nichts.

# Attack und Release
  ATTACK ist die Zeit, in der die Verstärkung sinkt, RELEASE die Zeit, in der sie wieder
  steigt. Jedes Band hat seine eigenen Zeiten: Bässe brauchen längere, Höhen kürzere.

# dBFS
  dBFS zählt vom größten darstellbaren Wert (Full Scale) abwärts:
     0 dBFS = 100 %      -6 dBFS = 50 %      -20 dBFS = 10 %

# Rechengenauigkeit
  Zwischen den Stufen rechnet SONOCLAMPER mit ganzen Zahlen in 32 Bit, innerhalb einer Stufe in
  Gleitkomma. Es gibt also reichlich Reserve über 16 Bit; begrenzt wird erst ganz am Ende.)",
    R"(# Compression basics

# Why not simply louder?
  A fixed gain is limited by the loudest part: it must not go beyond 0 dBFS. Whatever goes
  beyond is cut off (clipping) and sounds distorted.

# Compressor and limiter
  They lower the gain only where the signal is loud. Afterwards the whole can be louder
  without overload. How much the gain is lowered right now is shown by the red LEDs of the
  gain-reduction meters.

# Threshold and ratio
  THRESHOLD (THRE) is the level from which the gain is lowered. RATIO is the ratio above the
  threshold: at 3:1, 3 dB more at the input give only 1 dB more at the output.
  The limiter has an infinite ratio: nothing gets above its threshold.

# Attack and release
  ATTACK is the time in which the gain falls, RELEASE the time in which it rises again.
  Every band has its own times: bass needs longer ones, treble shorter ones.

# dBFS
  dBFS counts down from the largest value that can be stored (full scale):
     0 dBFS = 100 %      -6 dBFS = 50 %      -20 dBFS = 10 %

# Precision
  Between its stages SONOCLAMPER works with 32-bit integers, inside a stage with floating
  point. There is plenty of headroom above 16 bits; the signal is clipped only at the very end.)"};

inline constexpr TextPair PAGE_4{
    R"(# Der Signalweg

  HPF und EQUALIZER -> IN GAIN -> LEVELER -> KOMPRESSOR (3 Bänder) + GATES -> LIMITER

# HPF und EQUALIZER
  Hochpass (100, 120 oder 150 Hz) und 12-Band-Equalizer (+-9 dB) bilden zusammen ein Filter
  ohne Phasenverschiebung.
# IN GAIN
  Die Eingangsverstärkung in ganzen dB.
# LEVELER
  Ein sehr langsamer Begrenzer für die ganze Datei: Grenze fest bei -8 dBFS, Ratio 3:1.
  Aus, oder einer von zwei langsamen Modi (0,4 s / 6 s und 0,8 s / 10 s).
# KOMPRESSOR
  Drei Bänder (LOW, MID, HIGH), jedes mit Threshold, Ratio, Attack, Release und OUT.
  Jedes Band schaut voraus (Look-ahead): LOW 3,7 ms, MID 1 ms, HIGH 0,2 ms. Weiches Knie.
  OUT am linken Anschlag schaltet das Band stumm (MUTE).
# GATES
  Pro Band ein Gate, das leise Stellen um bis zu 15 dB dämpft. Sechs Stufen: drei langsame,
  drei schnelle. Auch die Gates schauen voraus; sie arbeiten unabhängig vom Kompressor.
# LIMITER
  Look-ahead 1 ms. Threshold und OUT sperren sich gegenseitig gegen Übersteuerung:
  OUT steigt nur so weit, wie die Schwelle gesenkt ist.

# Release mit Hold
  Nach einer Absenkung hält jeder Kompressor und der Limiter die Verstärkung eine Weile
  (Hold) und erholt sich in dieser Zeit nur mit 20 % seines Release. Hold bei 44,1 kHz:
  LOW 32 ms, MID 16 ms, HIGH 3 ms, LIMITER 32 ms.)",
    R"(# The signal chain

  HPF and EQUALIZER -> IN GAIN -> LEVELER -> COMPRESSOR (3 bands) + GATES -> LIMITER

# HPF and EQUALIZER
  High-pass filter (100, 120 or 150 Hz) and 12-band equalizer (+-9 dB) together form one
  filter without phase shift.
# IN GAIN
  The input gain in whole dB.
# LEVELER
  A very slow limiter on the whole file: limit fixed at -8 dBFS, ratio 3:1.
  Off, or one of two slow modes (0.4 s / 6 s and 0.8 s / 10 s).
# COMPRESSOR
  Three bands (LOW, MID, HIGH), each with threshold, ratio, attack, release and OUT.
  Every band looks ahead: LOW 3.7 ms, MID 1 ms, HIGH 0.2 ms. Soft knee.
  OUT at its left stop mutes the band (MUTE).
# GATES
  One gate per band damps quiet passages by up to 15 dB. Six settings: three slow, three
  fast. The gates look ahead too; they work independently of the compressor.
# LIMITER
  Look-ahead 1 ms. Threshold and OUT block each other against overload:
  OUT rises only as far as the threshold has been lowered.

# Release with hold
  After a reduction every compressor and the limiter hold the gain for a while and recover
  during that hold with only 20 % of their release. Hold at 44.1 kHz:
  LOW 32 ms, MID 16 ms, HIGH 3 ms, LIMITER 32 ms.)"};

inline constexpr TextPair PAGE_5{
    R"(# Stereo-Link

  Links und rechts werden in jeder Stufe gemeinsam geregelt: beide Seiten erhalten dieselbe
  Verstärkung, das Stereobild bleibt stehen. Die Gain-Reduction-Anzeigen zeigen deshalb nur
  eine Zeile je Stufe.
  Die lautere Seite bestimmt die Absenkung. Leveler und Multiband liefern etwa 2 dB mehr,
  wenn die Seiten verschieden laut sind; der Limiter nicht: bei ihm entscheidet allein die
  lautere Seite.

# WAV
  WAV ist verlustfrei: die Kopie enthält genau das berechnete Ergebnis.
  Für weitere Bearbeitung und für das Archiv ist WAV die richtige Wahl.

# MP3
  MP3 ist verlustbehaftet: bei jeder Kodierung geht etwas verloren.
  Niedrige Bitraten vermeiden, und möglichst wenige MP3-Generationen hintereinander:
  besser die WAV-Quelle bearbeiten und erst am Ende als MP3 ausgeben.
  Eine MP3-Quelle wird vor der Bearbeitung mit lame in eine WAV-Arbeitsdatei dekodiert.)",
    R"(# Stereo link

  Left and right are controlled together in every section: both sides get the same gain,
  so the stereo image stays where it is. The gain-reduction meters therefore show one row
  per section.
  The louder side sets the reduction. Leveler and multiband deliver about 2 dB more when the
  sides differ in level; the limiter does not: there the louder side alone decides.

# WAV
  WAV is lossless: the copy holds exactly the computed result.
  For further editing and for the archive, WAV is the right choice.

# MP3
  MP3 is lossy: every encoding loses a little.
  Avoid low bit rates, and as few MP3 generations in a row as possible:
  better process the WAV source and write MP3 only at the end.
  An MP3 source is decoded by lame into a WAV work file before processing.)"};

inline constexpr TextPair PAGE_6{
    R"(# Die Frequenzweiche

  LOW     unter etwa 250 Hz
  HIGH    über etwa 5,8 kHz
  MID     das ganze Band minus LOW minus HIGH

  LOW und HIGH sind FIR-Filter ohne Phasenverschiebung (161 Stützstellen). MID entsteht
  als Rest, also ergeben die drei Bänder zusammen wieder genau das Eingangssignal, und kein
  Band ist gegen ein anderes verzögert.
  Die Frequenzen gelten für 44,1 kHz; bei 48 kHz liegen sie etwa 9 % höher.

# Kein Low-Contour-Schalter nötig
  Weil der Bass sein eigenes Band mit eigener Schwelle hat, pumpt er die Mitten nicht mehr:
  ein eigener Schalter für die Bassanhebung bei leisen Stellen wird nicht gebraucht.

# Hold-Zeiten bei 44,1 kHz
  LOW 32 ms,  MID 16 ms,  HIGH 3 ms,  LIMITER 32 ms.

# Die Kurven ansehen
  Maus über den Equalizer und F2: Frequenzgang von EQ und HPF, dann der Frequenzweiche.)",
    R"(# The crossover

  LOW     below about 250 Hz
  HIGH    above about 5.8 kHz
  MID     the full band minus LOW minus HIGH

  LOW and HIGH are FIR filters without phase shift (161 taps). MID is what remains, so the
  three bands add up to exactly the input signal again, and no band is delayed against
  another.
  The frequencies hold for 44.1 kHz; at 48 kHz they lie about 9 % higher.

# No low-contour switch needed
  Since the bass has its own band with its own threshold, it no longer pumps the mids:
  a separate switch that lifts the bass in quiet passages is not needed.

# Hold times at 44.1 kHz
  LOW 32 ms,  MID 16 ms,  HIGH 3 ms,  LIMITER 32 ms.

# Looking at the curves
  Mouse over the equalizer and F2: the response of EQ and HPF, then of the crossover.)"};

inline constexpr std::array<TextPair, 6> PAGES{PAGE_1, PAGE_2, PAGE_3, PAGE_4, PAGE_5, PAGE_6};

}  // namespace sc::ui::help_texts
