#include "app/cli_options.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "app/cli_texts.h"
#include "settings/parameter_steps.h"

namespace sc::cli {

namespace {

namespace T = texts;

const OptionSpec* find_option(std::string_view name) {
    for (const auto& spec : option_table())
        if (name == spec.name || (!spec.short_name.empty() && name == spec.short_name)) return &spec;
    return nullptr;
}

std::size_t edit_distance(std::string_view a, std::string_view b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t up = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = up;
        }
    }
    return row[b.size()];
}

std::string usage_error(const std::string& what, int16_t language) {
    return what + "\n" + say(T::SEE_HELP, language);
}

}  // namespace

std::vector<std::string> closest(std::string_view word, const std::vector<std::string>& candidates) {
    constexpr std::size_t MOST = 4;
    const std::string key = preset_name_key(word);
    if (key.empty()) return {};
    const std::size_t allowed = std::clamp<std::size_t>(key.size() / 3, 1, 3);
    struct Near {
        std::size_t rank;
        std::size_t order;
        const std::string* name;
    };
    std::vector<Near> near;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        const std::string c = preset_name_key(candidates[i]);
        if (key.size() >= 3 && c.find(key) != std::string::npos) {
            near.push_back({0, i, &candidates[i]});
        } else if (const std::size_t d = edit_distance(key, c); d <= allowed) {
            near.push_back({d, i, &candidates[i]});
        }
    }
    std::stable_sort(near.begin(), near.end(), [](const Near& a, const Near& b) { return a.rank < b.rank; });
    std::vector<std::string> out;
    for (const auto& n : near) {
        if (out.size() == MOST) break;
        if (std::find(out.begin(), out.end(), *n.name) == out.end()) out.push_back(*n.name);
    }
    return out;
}

int16_t message_language(const std::vector<std::string>& args, const char* lc_all, const char* lc_messages,
                         const char* lang) {
    for (std::size_t i = 0; i < args.size() && args[i] != "--"; ++i) {
        std::string value;
        if (args[i] == "--lang" && i + 1 < args.size()) value = args[i + 1];
        else if (args[i].rfind("--lang=", 0) == 0) value = args[i].substr(7);
        if (value == "de") return LANGUAGE_DE;
        if (value == "en") return LANGUAGE_EN;
    }
    for (const char* locale : {lc_all, lc_messages, lang}) {
        if (locale && *locale) return std::string_view(locale).substr(0, 2) == "de" ? LANGUAGE_DE : LANGUAGE_EN;
    }
    return LANGUAGE_EN;
}

int16_t message_language(const std::vector<std::string>& args) {
    return message_language(args, std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
}

ParseResult parse(const std::vector<std::string>& args, int16_t language) {
    ParseResult r;
    Options& o = r.options;
    o.message_language = language;
    auto fail = [&r](std::string msg) {
        r.error = std::move(msg);
        return r;
    };
    bool options_end = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (!options_end && a == "--") {
            options_end = true;
            continue;
        }
        if (options_end || a.size() < 2 || a[0] != '-') {
            o.files.push_back(a);
            continue;
        }
        std::string name = a;
        std::optional<std::string> inline_value;
        if (const auto eq = a.find('='); a.rfind("--", 0) == 0 && eq != std::string::npos) {
            name = a.substr(0, eq);
            inline_value = a.substr(eq + 1);
        }
        const OptionSpec* spec = find_option(name);
        if (!spec) {
            std::string msg = say(T::UNKNOWN_OPTION, language, {name});
            std::vector<std::string> names;
            for (const auto& s : option_table()) names.emplace_back(s.name);
            if (const auto near = closest(name, names); !near.empty())
                msg += ". " + say(T::DID_YOU_MEAN, language, {near.front()});
            return fail(usage_error(msg, language));
        }
        std::string value;
        if (spec->value_name.empty()) {
            if (inline_value) return fail(usage_error(say(T::TAKES_NO_VALUE, language, {spec->name}), language));
        } else if (inline_value) {
            value = *inline_value;
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            return fail(usage_error(say(T::NEEDS_VALUE, language, {spec->name, spec->value(language)}), language));
        }
        std::string error;
        if (!spec->take(o, value, language, error)) {
            if (error.empty()) error = say(T::BAD_VALUE, language, {spec->name, value, spec->value(language)});
            return fail(usage_error(error, language));
        }
    }
    if (o.language) o.message_language = *o.language;
    if (o.help || o.version || o.list_presets || o.show_settings || o.list_user_setups) return r;
    if (!o.process) return fail(usage_error(say(T::NOTHING_TO_DO, language), language));
    if (o.files.empty()) return fail(usage_error(say(T::NO_FILES, language), language));
    return r;
}

void apply_settings(const Options& o, ParameterSet& p) {
    if (o.hpf) p.HPF = *o.hpf;
    for (int b = 0; b < EQ_BANDS; ++b)
        if (o.eq[b]) p.EQ[b] = *o.eq[b];
    if (o.input_gain_db) p.INPUTGAIN = static_cast<float>(std::pow(10.0, *o.input_gain_db / 20.0));
    if (o.leveler) set_INPUTAUTO(p, *o.leveler);
    if (o.bypass) p.KOMPR_BYPASS = 1;
    if (o.outformat) p.OUTFORMAT = *o.outformat;
}

}  // namespace sc::cli
