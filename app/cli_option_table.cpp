// The options of the command line, one row each, in the order of --help.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "app/cli_options.h"
#include "app/cli_texts.h"

namespace sc::cli {

namespace {

namespace T = texts;

bool parse_number(const std::string& s, double& out) {
    if (s.empty()) return false;
    char* end = nullptr;
    out = std::strtod(s.c_str(), &end);
    return end && *end == '\0' && std::isfinite(out);
}

bool parse_int(const std::string& s, int& out) {
    double d = 0;
    if (!parse_number(s, d) || d != std::floor(d) || std::fabs(d) > 1e6) return false;
    out = static_cast<int>(d);
    return true;
}

// Band 1..12, or a centre frequency in Hz (also "1k", "6.3k").
int band_of(std::string s) {
    double mult = 1.0;
    if (!s.empty() && (s.back() == 'k' || s.back() == 'K')) {
        mult = 1000.0;
        s.pop_back();
    }
    double v = 0;
    if (!parse_number(s, v)) return 0;
    v *= mult;
    if (mult == 1.0 && v >= 1 && v <= EQ_BANDS && v == std::floor(v)) return static_cast<int>(v);
    for (int b = 0; b < EQ_BANDS; ++b)
        if (std::fabs(v - EQ_FREQUENCIES[b]) < 0.5) return b + 1;
    return 0;
}

// The names a preset is known by, as shown to a user.
std::vector<std::string> preset_display_names() {
    std::vector<std::string> names;
    for (const auto& r : factory_presets()) {
        for (const std::string_view label : {r.label.en, r.label.de}) {
            if (std::find(names.begin(), names.end(), label) != names.end()) continue;
            names.emplace_back(label);
            // the vocal presets are also known without "VOCAL: "
            if (const auto colon = label.find(": "); r.group == PresetGroup::Vocal && colon != label.npos)
                names.emplace_back(label.substr(colon + 2));
        }
        names.emplace_back(r.procedure);
    }
    return names;
}

std::string quoted_list(const std::vector<std::string>& names) {
    std::string out;
    for (std::size_t i = 0; i < names.size(); ++i) out += (i ? ", \"" : "\"") + names[i] + "\"";
    return out;
}

bool take_preset(Options& o, const std::string& v, int16_t language, std::string& error) {
    if (const auto id = find_preset(v)) {
        o.preset = *id;
        return true;
    }
    error = say(T::UNKNOWN_PRESET, language, {v});
    const auto near = closest(v, preset_display_names());
    if (!near.empty()) error += ". " + say(T::DID_YOU_MEAN, language, {quoted_list(near)});
    error += "\n" + say(T::ALL_PRESETS, language);
    return false;
}

bool take_lang(Options& o, const std::string& v, int16_t, std::string&) {
    if (v != "de" && v != "en") return false;
    o.language = v == "de" ? LANGUAGE_DE : LANGUAGE_EN;
    return true;
}

bool take_jobs(Options& o, const std::string& v, int16_t, std::string&) {
    int n = 0;
    if (!parse_int(v, n) || n < 1 || n > 64) return false;
    o.jobs = n;
    return true;
}

bool take_hpf(Options& o, const std::string& v, int16_t, std::string&) {
    if (v == "off" || v == "0") o.hpf = 0;
    else if (v == "100" || v == "120" || v == "150") o.hpf = std::stoi(v);
    else return false;
    return true;
}

bool take_eq(Options& o, const std::string& v, int16_t, std::string&) {
    const auto eq = v.find('=');
    if (eq == std::string::npos) return false;
    const int band = band_of(v.substr(0, eq));
    double db = 0;
    if (band == 0 || !parse_number(v.substr(eq + 1), db) || db < -9 || db > 9 ||
        std::fabs(db * 2 - std::round(db * 2)) > 1e-9)
        return false;
    o.eq[band - 1] = static_cast<float>(db);
    return true;
}

bool take_input_gain(Options& o, const std::string& v, int16_t, std::string&) {
    int db = 0;
    if (!parse_int(v, db) || db < -3 || db > 18) return false;
    o.input_gain_db = db;
    return true;
}

bool take_leveler(Options& o, const std::string& v, int16_t, std::string&) {
    if (v == "off") o.leveler = 0;
    else if (v == "fast") o.leveler = 1;
    else if (v == "slow") o.leveler = 2;
    else return false;
    return true;
}

bool take_outformat(Options& o, const std::string& v, int16_t, std::string&) {
    int f = 0;
    if (!parse_int(v, f) || f < 1 || f > 9) return false;
    o.outformat = static_cast<int16_t>(f);
    return true;
}

bool take_output_dir(Options& o, const std::string& v, int16_t, std::string&) {
    if (v.empty()) return false;
    o.output_dir = v;
    return true;
}

bool take_user_setup(Options& o, const std::string& v, int16_t, std::string&) {
    if (v.find_first_not_of(' ') == std::string::npos) return false;
    o.user_setup = v;
    return true;
}

template <bool Options::*Flag>
bool take_switch(Options& o, const std::string&, int16_t, std::string&) {
    o.*Flag = true;
    return true;
}

const TextPair NONE{"", ""};

}  // namespace

const std::vector<OptionSpec>& option_table() {
    static const std::vector<OptionSpec> table{
        {"--process", "", "", NONE,
         {"die Dateien ohne Fenster bearbeiten", "process the files without a window"},
         take_switch<&Options::process>},
        {"--preset", "", "NAME", T::VALUE_PRESET,
         {"Preset, von dem die Einstellungen ausgehen (Vorgabe VOC_soft): der Name auf dem Bedienfeld\n"
          "(VOC_soft, VOC_hard, MUS_soft, MUS_hard), eine Beschriftung der Auswahlfenster\n"
          "(\"VOKAL: Bass_Soft\", \"Strings: general\", ...) oder der Prozedurname (SETUP_ST_ALLG);\n"
          "Groß- und Kleinschreibung, Leerzeichen und Satzzeichen zählen nicht",
          "factory preset the settings start from (default VOC_soft): its panel name\n"
          "(VOC_soft, VOC_hard, MUS_soft, MUS_hard), a label of the selection screens\n"
          "(\"VOCAL: Bass_Soft\", \"Strings: general\", ...) or its procedure name (SETUP_ST_ALLG);\n"
          "case, spaces and punctuation do not matter"},
         take_preset},
        {"--user-setup", "", "N|NAME", T::VALUE_USER_SETUP,
         {"ein im Fenster gespeichertes User-Setup auf dem Preset: Platz 1..20 oder sein Name\n"
          "(Groß- und Kleinschreibung und Leerzeichen außen herum zählen nicht); die\n"
          "Einstellungsoptionen wirken darauf",
          "a user setup saved in the window, on top of the preset: slot 1..20 or its name\n"
          "(case and spaces around it do not matter); the settings options act on top of it"},
         take_user_setup},
        {"--list-user-setups", "", "", NONE,
         {"die gespeicherten User-Setups mit Platz und Namen ausgeben",
          "list the saved user setups with their slots and names"},
         take_switch<&Options::list_user_setups>},
        {"--list-presets", "", "", NONE,
         {"alle 27 Presets mit Namen, Beschriftungen und dem, was sie einstellen, ausgeben",
          "list all 27 presets with their names, labels and what they set"},
         take_switch<&Options::list_presets>},
        {"--show-settings", "", "", NONE,
         {"alle Einstellungen ausgeben, mit denen bearbeitet würde (nach Preset und Optionen),\n"
          "und nichts bearbeiten",
          "print every setting a job would use (after preset and options) and process nothing"},
         take_switch<&Options::show_settings>},
        {"--hpf", "", "off|100|120|150", T::VALUE_HPF, {"Hochpassfilter", "high-pass filter"}, take_hpf},
        {"--eq", "", "BAND=dB", T::VALUE_EQ,
         {"Equalizer-Band 1..12 oder seine Mittenfrequenz (100, 160, 250, 400, 630, 1000, 1600,\n"
          "2500, 4000, 6300, 10000, 15000 oder 1k, 6.3k, ...), -9..+9 dB in Schritten von 0,5;\n"
          "wiederholbar",
          "equalizer band 1..12 or its centre frequency (100, 160, 250, 400, 630, 1000, 1600,\n"
          "2500, 4000, 6300, 10000, 15000 or 1k, 6.3k, ...), -9..+9 dB in steps of 0.5;\n"
          "repeatable"},
         take_eq},
        {"--input-gain", "", "dB", T::VALUE_INPUT_GAIN,
         {"Eingangsverstärkung in ganzen dB, -3..+18", "input gain in whole dB, -3..+18"}, take_input_gain},
        {"--leveler", "", "off|fast|slow", T::VALUE_LEVELER,
         {"der langsame Pegelausgleich", "the slow leveler"}, take_leveler},
        {"--bypass", "", "", NONE,
         {"den Mehrband-Kompressor umgehen (die Ausgangspegel der Bänder bleiben)",
          "bypass the multiband compressor (the make-up gains stay)"},
         take_switch<&Options::bypass>},
        {"--outformat", "", "N", T::VALUE_OUTFORMAT,
         {"Ausgabeformat: 1 = WAV (Vorgabe); MP3 mit konstanter Bitrate (Stereo/Mono, kBit/s):\n"
          "2 = 320/160, 3 = 256/128, 4 = 224/112, 5 = 192/96, 6 = 160/80, 7 = 128/64, 8 = 112/56,\n"
          "9 = 96/48; MP3 braucht das Programm lame",
          "output format: 1 = WAV (default); MP3 at a constant bit rate (stereo/mono, kbit/s):\n"
          "2 = 320/160, 3 = 256/128, 4 = 224/112, 5 = 192/96, 6 = 160/80, 7 = 128/64, 8 = 112/56,\n"
          "9 = 96/48; MP3 needs the program lame"},
         take_outformat},
        {"--output-dir", "", "DIR", T::VALUE_FOLDER,
         {"die Ergebnisse (und ihre .buf-Dateien) in DIR schreiben statt neben die Quelle",
          "write the results (and their .buf files) into DIR instead of beside the source"},
         take_output_dir},
        {"--no-clobber", "", "", NONE,
         {"ein vorhandenes Ergebnis behalten und die Datei überspringen",
          "keep an existing result and skip the file"},
         take_switch<&Options::no_clobber>},
        {"--jobs", "-j", "N", T::VALUE_JOBS,
         {"N Dateien zugleich bearbeiten (jede mit eigenem Rechenwerk)",
          "process N files at once (each with its own engine)"},
         take_jobs},
        {"--report", "", "", NONE,
         {"nach jeder Datei Lautheit (EBU R128), Lautheitsumfang und True Peak\n"
          "von Quelle und Ergebnis ausgeben",
          "after each file print loudness (EBU R128), loudness range and true peak\n"
          "of source and result"},
         take_switch<&Options::report>},
        {"--json", "", "", NONE,
         {"je Datei ein JSON-Objekt auf einer Zeile der Standardausgabe (Quelle, Ergebnis, Preset,\n"
          "Einstellungsoptionen, Status, Grund, Sekunden, Echtzeitfaktor), sonst nichts dort",
          "one JSON object per file on a line of the standard output (source, result, preset,\n"
          "settings options, status, reason, seconds, real-time factor), nothing else there"},
         take_switch<&Options::json>},
        {"--quiet", "-q", "", NONE,
         {"nur Fehlschläge ausgeben", "print failures only"}, take_switch<&Options::quiet>},
        {"--lang", "", "de|en", T::VALUE_LANG,
         {"Sprache der Meldungen (Vorgabe: aus LC_ALL, LC_MESSAGES oder LANG)",
          "language of the messages (default: from LC_ALL, LC_MESSAGES or LANG)"},
         take_lang},
        {"--version", "", "", NONE,
         {"die Version ausgeben", "print the version"}, take_switch<&Options::version>},
        {"--help", "-h", "", NONE,
         {"diese Hilfe", "this help"}, take_switch<&Options::help>},
    };
    return table;
}

}  // namespace sc::cli
