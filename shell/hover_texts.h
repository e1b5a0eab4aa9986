// The two info lines that explain each field of the panel while the pointer
// rests on it, in both languages.
#pragma once

#include <array>
#include <string_view>

#include "settings/text.h"

namespace sc::hover_texts {

// Two info lines, each in both languages.
struct HoverPair {
    TextPair line1;
    TextPair line2;
};

inline constexpr HoverPair EXIT{
    {" KLICK= BEENDE SONOCLAMPER.", " CLICK= EXIT SONOCLAMPER."},
    {" Arbeitsdateien werden gelöscht.  Quelldateien und Kopien bleiben erhalten.",
     " Work files get deleted.  Source files and copies stay."}};

inline constexpr HoverPair INFO{
    {" KLICK= Mehrseitige Informationen.", " CLICK= Infopages."},
    {" Bedienung, Grundlagen der Kompression, Signalweg, Stereo, Frequenzweiche.",
     " Operation, basics of compression, signal chain, stereo, crossover."}};

inline constexpr HoverPair START_FILE{
    {" KLICK= Prozessor starten. Original -> Dynamik-Kompression -> Kopie.",
     " CLICK= start processor. Original -> dynamic-compression -> Copy."},
    {" ACHTUNG: letzte Kopie wird überschrieben. Original-Datei bleibt unverändert.",
     " ATTENTION: latest copy  will be overwritten. Original file stays unchanged."}};

inline constexpr HoverPair START_BATCH{
    {" KLICK= Prozessor nur für diese Datei starten.                  F12: Stapel starten.",
     " CLICK= start processor only this file.                        F12: start batch."},
    {" Der Stapel bearbeitet alle Dateien der Liste mit denselben Einstellungen.",
     " The batch processes all files of the list with the same settings."}};

inline constexpr HoverPair START_NO_FILE{
    {" Quell-Audiodatei öffnen:  O-Taste  oder OPEN-Knopf.   F11 lädt ganzen Ordner.",
     " Open source audio-file:  O-key  or OPEN-button.   F11 loads entire folder."},
    {" Stapel öffnen:  Drag-and-drop aus dem Dateimanager. Siehe INFO.",
     " Open a batch:  drag-and-drop via windows-explorer. See INFO."}};

inline constexpr HoverPair OPEN{
    {" Klick = EINE Audiodatei öffnen. WAV oder MP3. (MP3 nur, wenn LAME.EXE vorhanden.)",
     " Click = open ONE audio-file. WAV or MP3. (MP3, only if LAME.EXE available.)"},
    {" Ganzer Ordner: F11.       Stapel: Drag-and-drop aus dem Dateimanager. Siehe INFO.",
     " Entire folder: F11.       Batch: drag-and-drop via windows-explorer. See INFO."}};

// The leveler by its mode (off, fast, slow); fast and slow get the target
// level in dBFS behind line 1.
inline constexpr std::array<HoverPair, 3> LEVELER = {{
    {{" KLICK=umschalten. Leveler  ist jetzt aus.", " CLICK=switch. Leveler  is off now."},
     {" Der Leveler gleicht langsam den Pegel an, bevor der Kompressor arbeitet.",
      " The leveler slowly evens out the level before the compressor works."}},
    {{" Jetzt  Attack=0,4 s    Release=6 s (20dB).       Ratio 3:1      Schwelle = ",
      " Now  Attack=0.4 sec    Release=6 sec (20dB).     Ratio 3:1      Threshold = "},
     {" KLICK=umschalten auf SLOW (langsam).", " CLICK=switch to SLOW."}},
    {{" Jetzt  Attack=0,8 s    Release=10 s (20dB).     Ratio 3:1   Schwelle=",
      " Now  Attack=0.8 sec    Release=10 sec (20dB).   Ratio 3:1   Threshold="},
     {" KLICK=umschalten auf AUS.", " CLICK=switch to OFF."}},
}};
inline constexpr std::string_view DBFS = " dBFS";

inline constexpr HoverPair INPUT_GAIN{
    {" KLICK= INPUT GAIN drehen. Der Pegel geht zum Leveler (wenn AUTO an) und dann zum Kompressor.",
     " CLICK= Change INPUT GAIN. Result-Level meets leveler (if AUTO is on) and then compressor."},
    {" Links-Klick: -1 dB.   Rechts-Klick: +1 dB.   Bereich -3 ... +18 dB.",
     " Left click: -1 dB.   Right click: +1 dB.   Range -3 ... +18 dB."}};

inline constexpr HoverPair HIGH_PASS{
    {" KLICK= Hochpass-Filter schalten (Trittschall, Plopp).   Senkt Bass. Frequenz umschaltbar.",
     " CLICK= Switch highpass-filter (footfall, plopp).     Reduces Bass. Switchable frequency."},
    {" aus -> 100 Hz -> 120 Hz -> 150 Hz -> aus.", " off -> 100 Hz -> 120 Hz -> 150 Hz -> off."}};

// Line 1 is followed by the band under the pointer, its gain, and the key
// that resets all bands.
inline constexpr HoverPair EQUALIZER{
    {" KLICK  links/rechts = Equalizer.  ", " CLICK  left/right = Equalizer.  "},
    {" Für den Klang auch die OUT-Regler des Multiband-Kompressors nutzen.   F2 zeigt EQ-Diagramm.",
     " For sound, also use the OUT-knobs of the multiband compressor.     F2 shows EQ-diagram."}};
inline constexpr TextPair EQUALIZER_RESET{"     Taste 0: alle 0 dB.", "     0-key: all 0 dB."};

inline constexpr HoverPair BAND_THRESHOLD{
    {" KLICK= THRESHOLD drehen. Lautstärke über der Schwelle wird verringert.  ",
     " CLICK= Change THRESHOLD. Volume over threshold gets reduced.  "},
    {" <SOFT-KNEE> aktiv: die Verringerung beginnt sanft schon etwas unter THRESHOLD.",
     " <SOFT-KNEE> function active: reduction starts gradually a little bit below THRESHOLD."}};

inline constexpr HoverPair BAND_RATIO{
    {" KLICK= Drehe RATIO. 1:1 ist Bypass.  2:1 lässt Dynamik.  6:1 ist fast Limiter.",
     " CLICK= Change RATIO.  1:1 is Bypass. 2:1 leaves dynamic. 6:1 is nearly Limiter."},
    {" Links-Klick: kleinere Ratio.   Rechts-Klick: größere Ratio.",
     " Left click: smaller ratio.   Right click: bigger ratio."}};

inline constexpr HoverPair BAND_ATTACK{
    {" KLICK= ATTACK drehen. Zeit für Dämpfung (20dB), wenn die Lautstärke die Schwelle übersteigt.",
     " CLICK= Change ATTACK. Time for damping (20dB), if volume rises over thresold."},
    {" Kurz fängt jede Spitze.  Lang lässt den Anschlag von Tönen und Worten durch.",
     " Short catches every peak.  Long lets the attack of notes and words pass."}};

inline constexpr HoverPair BAND_RELEASE{
    {" KLICK= RELEASE drehen.  Zeit zum Lösen der Dämpfung (20dB), wenn die Lautstärke fällt.",
     " CLICK= Change RELEASE.  Time for loose damping (20dB), if volume falls."},
    {" Kurz klingt laut und dicht, kann pumpen.  Lang klingt ruhig und natürlich.",
     " Short sounds loud and dense, may pump.  Long sounds calm and natural."}};

inline constexpr HoverPair BAND_MAKEUP{
    {" KLICK= OUTPUT-GAIN dieses Bandes drehen.  Regelverlust ausgleichen  oder  Klang formen.",
     " CLICK= Change OUTPUT-GAIN of this band.    Regain  reduction-loss  or  sound control."},
    {"        MUTE: ganz nach links drehen.", "        MUTE: turn counterclockwise."}};

// One per band: HIGH, MIDD, BASS. Line 2 is the level text below.
inline constexpr std::array<TextPair, 3> GATE = {{
    {" KLICK= GATE Höhen umschalten. Dämpft, wenn es leise ist. Rauschen -15 dB. Vorausschauend.",
     " CLICK= Toggle GATE Treble. Damping if quiet. Reduces Noise 15 dB. Foresighted."},
    {" KLICK= GATE Mitten umschalten. Dämpft, wenn es leise ist. Rauschen -15 dB. Vorausschauend.",
     " CLICK= Toggle GATE Mid. Damping if quiet. Reduces Noise 15 dB. Foresighted."},
    {" KLICK= GATE Bass umschalten. Dämpft, wenn es leise ist. Rauschen -15 dB. Vorausschauend.",
     " CLICK= Toggle GATE Bass. Damping if quiet. Reduces Noise 15 dB. Foresighted."},
}};
inline constexpr TextPair GATE_OFF{" Gate ist aus.", " Gate is off."};
// Closing speed (levels 1-3 slow, 4-6 fast) and sensitivity (low, medium,
// high within each speed).
inline constexpr TextPair GATE_SLOW{" Langsam (", " Slow ("};
inline constexpr TextPair GATE_FAST{" Schnell (", " Fast ("};
inline constexpr std::string_view GATE_SPEED_UNIT = "dB/s)   &   ";
inline constexpr std::array<TextPair, 3> GATE_SENSITIVITY = {{
    {"wenig empfindlich (", "low sensitive ("},
    {"mittel empfindlich (", "medium sensitive ("},
    {"sehr empfindlich (", "high sensitive ("},
}};

inline constexpr HoverPair LIMITER_THRESHOLD{
    {" KLICK= THRESHOLD drehen. Lautstärke über der Schwelle erzwingt Verringerung.  ",
     " CLICK= Change THRESHOLD. Volume over threshold forces gain reduction.  "},
    {" Ratio ist fest 100:1 (Limiter).   Bypass: ganz nach rechts drehen.",
     " Ratio is fix 100:1 (Limiter).   Bypass: turn fully clockwise."}};

inline constexpr HoverPair LIMITER_ATTACK{
    BAND_ATTACK.line1,
    {" Kurz reagiert auf Spitzen. Lang reagiert auf den Mittelwert. Zu kurz kann verzerren.",
     " Short reacts on peaks. Long reacts on average. Too short could generate distortion."}};

inline constexpr HoverPair LIMITER_RELEASE{
    BAND_RELEASE.line1,
    {" Zu kurz kann verzerren. Zu lang wirkt wie reines Leveln.",
     " Too short may result in distortion. Too long is like pure leveling."}};

inline constexpr HoverPair LIMITER_OUTPUT{
    {" KLICK= OUTPUT-GAIN drehen.", " CLICK= Change OUTPUT-GAIN."},
    {" Steigt nur so weit, wie THRESHOLD gesenkt ist: Schutz gegen Übersteuerung.",
     " Rises only as far as THRESHOLD is lowered: protection against overload."}};

inline constexpr HoverPair BYPASS{
    {" KLICK= BYPASS des Multiband-Teils an/aus. OUT-Regler bleiben für den Klang aktiv.",
     " CLICK= Toggle Multiband-Section BYPASS on/off. OUT-Knobs stay active for sound."},
    {" Wird nicht in Setups gespeichert.    (Ratio 1:1 ist auch Bypass)",
     " Can't be stored in setups.    (Ratio 1:1 is Bypass, too)"}};

inline constexpr HoverPair MORE_VOCAL{
    {" Klick= Mehr VOKAL-SETUPS.", " Click= More VOCAL SETUPS."},
    {" Sopran, Alt, Bass: soft, medium, hart. Dazu vier Eigenschaften.",
     " Soprano, alto, bass: soft, medium, hard. Plus four attributes."}};

inline constexpr HoverPair MORE_INSTRUMENT{
    {" Klick= Mehr INSTRUMENT-SETUPS.", " Click= More INSTRUMENT SETUPS."},
    {" Schlagzeug, Bässe, Gitarren, Streicher.", " Drums, basses, guitars, strings."}};

inline constexpr HoverPair PRESET{
    {" KLICK= Hersteller-Setup anwenden.  Vorschlag: Anpassung dann nur noch mit IN GAIN.",
     " Click= Apply factory-setup. Proposal: adjust then only with IN GAIN."},
    {"        Natürlich dürfen danach auch alle anderen Werte angepasst werden.",
     "        Of course, you may adjust then all other values, too."}};

// Line 1 is followed by the slot's stored name.
inline constexpr HoverPair USER_SLOT{
    {" KLICK links=  Benutzer-Setup anwenden.", " Click Left=  Apply User-Setup"},
    {" KLICK rechts= Einstellungen speichern.", " Click Right= Saves current settings"}};
inline constexpr std::string_view SLOT_NAME_GAP = "     ";
inline constexpr std::string_view SLOT_NAME = "Name: ";
inline constexpr std::string_view SLOT_EMPTY = "---";

// Line 2 is the current format: WAV, or the MP3 line of its bit rates.
inline constexpr TextPair OUTPUT_FORMAT{"KLICK= WAV/MP3-Modus der Zieldatei umschalten.",
                                        "CLICK= Toggle  WAV/MP3 modus on target file."};
inline constexpr std::string_view WAV = "WAV";
inline constexpr TextPair LOSS_FREE{" (verlustfrei)", " (loss-free)"};
inline constexpr std::array<std::string_view, 8> MP3_RATES = {
    "MP3: 160 kBit/s (Mono) / 320 kBit/s (Stereo)", "MP3: 128 kBit/s (Mono) / 256 kBit/s (Stereo)",
    "MP3: 112 kBit/s (Mono) / 224 kBit/s (Stereo)", "MP3:  96 kBit/s (Mono) / 192 kBit/s (Stereo)",
    "MP3:  80 kBit/s (Mono) / 160 kBit/s (Stereo)", "MP3:  64 kBit/s (Mono) / 128 kBit/s (Stereo)",
    "MP3:  56 kBit/s (Mono) / 112 kBit/s (Stereo)", "MP3:  48 kBit/s (Mono) /  96 kBit/s (Stereo)"};

inline constexpr HoverPair LANGUAGE{
    {"KLICK= Sprache wechseln.", "CLICK= change language."},
    {"Deutsch / English.  Die Wahl wird in der Setup-Datei gespeichert.",
     "Deutsch / English.  The choice is kept in the setups file."}};

// The envelope windows: line 1 the three ways to play, line 2 the file's data.
inline constexpr TextPair PLAY_CLICK{" KLICK => Datei spielen   ", " KLICK => play file     "};
inline constexpr TextPair PLAY_W_KEY{" W-TASTE => im Player spielen   ", " W-KEY => play file using WMP    "};
inline constexpr TextPair PLAY_SPACE{"LEERTASTE => Zoombereich spielen.", "SPACE-KEY => play zoom area."};
inline constexpr TextPair SOURCE_FILE{" Quelldatei. ", " Source file. "};
inline constexpr TextPair TARGET_FILE{"  Zieldatei. ", "  Target file. "};
inline constexpr std::string_view MONO = "Mono ";
inline constexpr std::string_view STEREO = "Stereo ";
inline constexpr std::string_view KHZ = "kHz ";
inline constexpr std::string_view BIT = "bit) ";

}  // namespace sc::hover_texts
