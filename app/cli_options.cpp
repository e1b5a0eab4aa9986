#include "app/cli_options.h"

#include <cmath>
#include <cstdlib>

#include "settings/parameter_steps.h"

namespace sc::cli {

namespace {

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

}  // namespace

ParseResult parse(const std::vector<std::string>& args) {
    ParseResult r;
    Options& o = r.options;
    auto fail = [&r](std::string msg) {
        r.error = std::move(msg);
        return r;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) return false;
            out = args[++i];
            return true;
        };
        std::string v;
        if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--process") {
            o.process = true;
        } else if (a == "--quiet" || a == "-q") {
            o.quiet = true;
        } else if (a == "--bypass") {
            o.bypass = true;
        } else if (a == "--preset") {
            if (!value(v)) return fail("--preset needs a name");
            auto id = find_preset(v);
            if (!id) return fail("unknown preset: " + v);
            o.preset = *id;
        } else if (a == "--lang") {
            if (!value(v)) return fail("--lang needs de or en");
            if (v == "de") o.language = 1;
            else if (v == "en") o.language = 2;
            else return fail("--lang takes de or en, not " + v);
        } else if (a == "--jobs" || a == "-j") {
            int n = 0;
            if (!value(v) || !parse_int(v, n) || n < 1 || n > 64) return fail("--jobs takes a number from 1 to 64");
            o.jobs = n;
        } else if (a == "--hpf") {
            if (!value(v)) return fail("--hpf takes off, 100, 120 or 150");
            if (v == "off" || v == "0") o.hpf = 0;
            else if (v == "100" || v == "120" || v == "150") o.hpf = std::stoi(v);
            else return fail("--hpf takes off, 100, 120 or 150, not " + v);
        } else if (a == "--eq") {
            if (!value(v)) return fail("--eq takes BAND=dB");
            const auto eq = v.find('=');
            double db = 0;
            const int band = eq == std::string::npos ? 0 : band_of(v.substr(0, eq));
            if (band == 0) return fail("--eq: unknown band in " + v + " (1..12 or 100, 160, 250, ... 15000 Hz)");
            if (!parse_number(v.substr(eq + 1), db) || db < -9 || db > 9 || std::fabs(db * 2 - std::round(db * 2)) > 1e-9)
                return fail("--eq: gain from -9 to +9 dB in steps of 0.5, not " + v.substr(eq + 1));
            o.eq[band - 1] = static_cast<float>(db);
        } else if (a == "--input-gain") {
            int db = 0;
            if (!value(v) || !parse_int(v, db) || db < -3 || db > 18) return fail("--input-gain takes whole dB from -3 to 18");
            o.input_gain_db = db;
        } else if (a == "--leveler") {
            if (!value(v)) return fail("--leveler takes off, fast or slow");
            if (v == "off") o.leveler = 0;
            else if (v == "fast") o.leveler = 1;
            else if (v == "slow") o.leveler = 2;
            else return fail("--leveler takes off, fast or slow, not " + v);
        } else if (!a.empty() && a[0] == '-' && a != "-") {
            return fail("unknown option: " + a);
        } else {
            o.files.push_back(a);
        }
    }
    if (o.help) return r;
    if (!o.process) return fail("nothing to do: use --process FILE... (see --help)");
    if (o.files.empty()) return fail("--process needs at least one file");
    return r;
}

void apply_settings(const Options& o, ParameterSet& p) {
    if (o.hpf) p.HPF = *o.hpf;
    for (int b = 0; b < EQ_BANDS; ++b)
        if (o.eq[b]) p.EQ[b] = *o.eq[b];
    if (o.input_gain_db) p.INPUTGAIN = static_cast<float>(std::pow(10.0, *o.input_gain_db / 20.0));
    if (o.leveler) set_INPUTAUTO(p, *o.leveler);
    if (o.bypass) p.KOMPR_BYPASS = 1;
}

std::string help_text() {
    return R"(SONOCLAMPER - raises and controls the loudness of audio files.

Usage:
  sonoclamper                      open the window
  sonoclamper --screenshot FILE.png [--lang de|en]
                                   draw the panel after start-up into a PNG
                                   picture and end (needs no display)
  sonoclamper --process [OPTIONS] FILE...
                                   process the files without a window
  sonoclamper --help

Each FILE (WAV: PCM, mono or stereo, 16 bit, or 24 bit mono, 44000 to 48300 Hz)
is written beside itself as NAME---copy.WAV; the source is never changed. An
older result of the same name is replaced; a write-protected one is kept and
the result gets the next free name NAME-A-copy.WAV ... NAME-U-copy.WAV.

Options of --process:
  --preset NAME      factory preset to start from (default VOC_soft). NAME is a
                     panel name (VOC_soft, VOC_hard, MUS_soft, MUS_hard), a label
                     of the selection screens ("VOCAL: Bass_Soft",
                     "Strings: general", "Snare: knallt", ...) or a procedure name
                     (SETUP_ST_ALLG); case, spaces and punctuation do not matter.
  --lang de|en       language of the messages (default: the language the program
                     starts with).
  --jobs N           process N files at once (each with its own engine).
  --quiet            print failures only.
  --hpf off|100|120|150
                     high-pass filter.
  --eq BAND=dB       equalizer band 1..12 or its centre frequency (100, 160, 250,
                     400, 630, 1000, 1600, 2500, 4000, 6300, 10000, 15000 or 1k,
                     6.3k, ...), gain -9..+9 dB in steps of 0.5. Repeatable.
  --input-gain dB    input gain in whole dB, -3..+18.
  --leveler off|fast|slow
  --bypass           bypass the multiband compressor (make-up gains stay).

Settings options act on top of the preset.

Progress (percentage and speed) goes to the standard error when it is a
terminal; results go to the standard output, failures to the standard error.

Exit status: 0 when every file was processed, 1 when any file was rejected or
failed, 2 for a usage error.
)";
}

}  // namespace sc::cli
