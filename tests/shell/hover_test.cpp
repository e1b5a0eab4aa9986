#include <cmath>

#include <gtest/gtest.h>

#include "settings/parameter_steps.h"
#include "tests/shell/window_fixture.h"

namespace sc {
namespace {

using test::WindowApp;

class Hover : public WindowApp {
protected:
    // The two info lines shown with the pointer at (x, y), as far as they go.
    std::pair<std::string, std::string> at(int x, int y) {
        window.pointer_at(now(), x, y);
        app.NICHTGEKLICKT();
        return {trimmed(info1(96)), trimmed(info2(96))};
    }
    static std::string trimmed(std::string s) {
        while (!s.empty() && s.back() == ' ') s.pop_back();
        return s;
    }
    static bool starts(const std::string& s, const std::string& head) { return s.rfind(head, 0) == 0; }
};

// Where each field sits, and the first English line it shows (as far as it
// is the program's fixed text).
struct HoverCase {
    int x, y;
    const char* english;
};

constexpr HoverCase FIELDS[] = {
    {760, 12, " CLICK= EXIT SONOCLAMPER."},
    {760, 36, " CLICK= Infopages."},
    {760, 85, " Open source audio-file:  O-key  or OPEN-button.   F11 loads entire folder."},
    {760, 60, " Click = open ONE audio-file. WAV or MP3. (MP3, only if LAME.EXE available.)"},
    {40, 310, " CLICK=switch. Leveler  is off now."},
    {40, 180, " CLICK= Change INPUT GAIN. Result-Level meets leveler (if AUTO is on) and then compressor."},
    {100, 190, " CLICK= Switch highpass-filter (footfall, plopp).     Reduces Bass. Switchable frequency."},
    {60, 240, " CLICK  left/right = Equalizer.  "},
    {200, 240, " CLICK= Change THRESHOLD. Volume over threshold gets reduced."},
    {240, 300, " CLICK= Change RATIO.  1:1 is Bypass. 2:1 leaves dynamic. 6:1 is nearly Limiter."},
    {300, 180, " CLICK= Change ATTACK. Time for damping (20dB), if volume rises over thresold."},
    {350, 240, " CLICK= Change RELEASE.  Time for loose damping (20dB), if volume falls."},
    {510, 300, " CLICK= Change OUTPUT-GAIN of this band.    Regain  reduction-loss  or  sound control."},
    {400, 195, " CLICK= Toggle GATE Treble. Damping if quiet. Reduces Noise 15 dB. Foresighted."},
    {400, 260, " CLICK= Toggle GATE Mid. Damping if quiet. Reduces Noise 15 dB. Foresighted."},
    {400, 320, " CLICK= Toggle GATE Bass. Damping if quiet. Reduces Noise 15 dB. Foresighted."},
    {590, 180, " CLICK= Change THRESHOLD. Volume over threshold forces gain reduction."},
    {650, 180, " CLICK= Change ATTACK. Time for damping (20dB), if volume rises over thresold."},
    {700, 180, " CLICK= Change RELEASE.  Time for loose damping (20dB), if volume falls."},
    {750, 180, " CLICK= Change OUTPUT-GAIN."},
    {159, 332, " CLICK= Toggle Multiband-Section BYPASS on/off. OUT-Knobs stay active for sound."},
    {660, 258, " Click= More VOCAL SETUPS."},
    {730, 258, " Click= More INSTRUMENT SETUPS."},
    {600, 283, " Click= Apply factory-setup. Proposal: adjust then only with IN GAIN."},
    {600, 330, " Click= Apply factory-setup. Proposal: adjust then only with IN GAIN."},
    {660, 283, " Click Left=  Apply User-Setup"},
    {760, 300, " Click Left=  Apply User-Setup"},
    {760, 316, "CLICK= Toggle  WAV/MP3 modus on target file."},
    {760, 332, "CLICK= change language."},
};

TEST_F(Hover, EveryFieldExplainsItselfInBothLanguages) {
    for (const HoverCase& c : FIELDS) {
        app.state.LANGUAGE = LANGUAGE_EN;
        const auto [en1, en2] = at(c.x, c.y);
        EXPECT_TRUE(starts(en1, c.english)) << c.x << ", " << c.y << ": " << en1;
        app.state.LANGUAGE = LANGUAGE_DE;
        const auto [de1, de2] = at(c.x, c.y);
        EXPECT_FALSE(de1.empty());
        EXPECT_FALSE(de2.empty()) << c.english;
        EXPECT_FALSE(en2.empty()) << c.english;
        EXPECT_NE(de1, en1) << c.english;
    }
}

TEST_F(Hover, TheGermanExamplesStandAsTheyAre) {
    EXPECT_EQ(at(760, 12).first, " KLICK= BEENDE SONOCLAMPER.");
    EXPECT_EQ(at(760, 36).first, " KLICK= Mehrseitige Informationen.");
    EXPECT_EQ(at(240, 240).first, " KLICK= Drehe RATIO. 1:1 ist Bypass.  2:1 lässt Dynamik.  6:1 ist fast Limiter.");
    EXPECT_EQ(at(600, 300).first,
              " KLICK= Hersteller-Setup anwenden.  Vorschlag: Anpassung dann nur noch mit IN GAIN.");
    EXPECT_TRUE(starts(at(700, 290).first, " KLICK links=  Benutzer-Setup anwenden."));
    EXPECT_EQ(at(700, 290).second, " KLICK rechts= Einstellungen speichern.");
    EXPECT_EQ(at(760, 332).first, "KLICK= Sprache wechseln.");
}

// Records the info lines whole, with the pointer where the test puts it.
class PointerView : public test::EventView {
public:
    PointerInfo at;
    std::string line1, line2;
    PointerInfo pointer() override { return at; }
    void info_text(std::string_view a, std::string_view b) override {
        line1 = a;
        line2 = b;
    }
};

TEST(HoverLength, EveryLineFitsTheInfoBox) {
    std::vector<HoverCase> with_envelopes(std::begin(FIELDS), std::end(FIELDS));
    with_envelopes.push_back({400, 430, ""});
    with_envelopes.push_back({400, 490, ""});
    // The box holds 96 characters; a longer text would lose its end.
    test::FakePlatform fp;
    PointerView view;
    Application app(view, fp.services());
    app.startup({});
    app.state.display_source_name = "/music/song.wav";
    app.state.result_exists = 1;
    app.state.user_setup_names[0] = std::string(20, 'n');
    app.source_format.channels = 2;
    app.source_format.sample_rate = 44100;
    app.source_format.bits_per_sample = 16;
    app.source_format.data_size = 2000000000;
    for (const int16_t language : {LANGUAGE_DE, LANGUAGE_EN})
        for (const int f : {1, 2, 9})
            for (const HoverCase& c : with_envelopes) {
                app.state.LANGUAGE = language;
                app.params.OUTFORMAT = static_cast<int16_t>(f);
                app.params.INPUTAUTO = f % 3;
                app.params.GATEHIGH = app.params.GATEMIDD = app.params.GATEBASS = static_cast<int16_t>(f % 7);
                view.at = {c.x, c.y, 0};
                app.NICHTGEKLICKT();
                EXPECT_LE(utf8_length(view.line1), 96u) << view.line1;
                EXPECT_LE(utf8_length(view.line2), 96u) << view.line2;
            }
}

TEST_F(Hover, TheStartButtonTellsWhatStartWouldDo) {
    app.state.LANGUAGE = LANGUAGE_EN;
    EXPECT_EQ(at(760, 85).second, " Open a batch:  drag-and-drop via windows-explorer. See INFO.");
    app.state.display_source_name = "/music/song.wav";
    EXPECT_EQ(at(760, 85).first, " CLICK= start processor. Original -> dynamic-compression -> Copy.");
    EXPECT_EQ(at(760, 85).second, " ATTENTION: latest copy  will be overwritten. Original file stays unchanged.");
    app.state.batch_count = 5;
    EXPECT_EQ(at(760, 85).first,
              " CLICK= start processor only this file.                        F12: start batch.");
}

TEST_F(Hover, TheValuesBehindTheTexts) {
    app.state.LANGUAGE = LANGUAGE_EN;
    app.params.EQ[6] = 1.5f;
    EXPECT_TRUE(starts(at(74, 240).first, " CLICK  left/right = Equalizer.  1.6 kHz  +1.5 dB")) << at(74, 240).first;
    EXPECT_TRUE(starts(at(9, 240).first, " CLICK  left/right = Equalizer.  100 Hz   +0.0 dB"));
    EXPECT_EQ(at(9, 240).second,
              " For sound, also use the OUT-knobs of the multiband compressor.     F2 shows EQ-diagram.");
    app.params.INPUTAUTO = 1;
    EXPECT_EQ(at(40, 310).first,
              " Now  Attack=0.4 sec    Release=6 sec (20dB).     Ratio 3:1      Threshold = -8 dBFS");
    app.params.INPUTAUTO = 2;
    EXPECT_EQ(at(40, 310).first, " Now  Attack=0.8 sec    Release=10 sec (20dB).   Ratio 3:1   Threshold=-8 dBFS");
    EXPECT_EQ(at(510, 180).second, "        MUTE: turn counterclockwise.");

    const struct { int y, level; const char* text; } gates[] = {
        {195, 0, " Gate is off."},
        {195, 1, " Slow (35dB/s)   &   low sensitive (-60 dBFS)"},
        {195, 4, " Fast (70dB/s)   &   low sensitive (-60 dBFS)"},
        {260, 2, " Slow (25dB/s)   &   medium sensitive (-40 dBFS)"},
        {320, 3, " Slow (35dB/s)   &   high sensitive (-25 dBFS)"},
        {320, 6, " Fast (70dB/s)   &   high sensitive (-25 dBFS)"},
    };
    for (const auto& g : gates) {
        app.params.GATEHIGH = app.params.GATEMIDD = app.params.GATEBASS = static_cast<int16_t>(g.level);
        EXPECT_EQ(at(400, g.y).second, g.text) << g.y << " level " << g.level;
    }

    const char* formats[] = {"WAV (loss-free)",
                             "MP3: 160 kBit/s (Mono) / 320 kBit/s (Stereo)",
                             "MP3: 128 kBit/s (Mono) / 256 kBit/s (Stereo)",
                             "MP3: 112 kBit/s (Mono) / 224 kBit/s (Stereo)",
                             "MP3:  96 kBit/s (Mono) / 192 kBit/s (Stereo)",
                             "MP3:  80 kBit/s (Mono) / 160 kBit/s (Stereo)",
                             "MP3:  64 kBit/s (Mono) / 128 kBit/s (Stereo)",
                             "MP3:  56 kBit/s (Mono) / 112 kBit/s (Stereo)",
                             "MP3:  48 kBit/s (Mono) /  96 kBit/s (Stereo)"};
    for (int f = 1; f <= 9; ++f) {
        app.params.OUTFORMAT = static_cast<int16_t>(f);
        EXPECT_EQ(at(760, 316).second, formats[f - 1]);
    }
    app.state.LANGUAGE = LANGUAGE_DE;
    app.params.OUTFORMAT = 1;
    EXPECT_EQ(at(760, 316).second, "WAV (verlustfrei)");
}

TEST_F(Hover, UserSlotsNameTheirSetup) {
    app.state.LANGUAGE = LANGUAGE_EN;
    app.state.user_setup_names[4] = "Podcast Anna";
    EXPECT_EQ(at(660, 283).first, " Click Left=  Apply User-Setup     Name: ---");
    EXPECT_EQ(at(690, 283).first, " Click Left=  Apply User-Setup     Name: Podcast Anna");  // u05
    EXPECT_EQ(at(690, 283).second, " Click Right= Saves current settings");
    app.state.user_setup_names[13] = "Choir";
    EXPECT_EQ(at(760, 300).first, " Click Left=  Apply User-Setup     Name: Choir");  // u14
}

TEST_F(Hover, TheEnvelopeRowsDescribeTheirFileOnlyWhenThereIsOne) {
    app.state.LANGUAGE = LANGUAGE_EN;
    const auto before = at(760, 12);
    EXPECT_EQ(at(400, 430), before);  // no file: the text stays
    app.state.display_source_name = app.state.source_path = "/music/song.wav";
    app.source_format.channels = 2;
    app.source_format.sample_rate = 44100;
    app.source_format.bits_per_sample = 16;
    app.source_format.data_size = 44100 * 4 * 3725;  // 1 h 2 min 5 s
    EXPECT_EQ(at(400, 430).first,
              " KLICK => play file      W-KEY => play file using WMP    SPACE-KEY => play zoom area.");
    EXPECT_EQ(at(400, 430).second, " Source file. Stereo 44.1kHz (16bit) 01:02:05");
    EXPECT_EQ(at(400, 490), at(400, 430)) << "no result yet";
    app.state.result_exists = 1;
    EXPECT_EQ(at(400, 490).second, "  Target file. Stereo 44.1kHz (16bit) 01:02:05");
    app.state.LANGUAGE = LANGUAGE_DE;
    app.source_format.channels = 1;
    app.source_format.sample_rate = 48000;
    app.source_format.data_size = 48000 * 2 * 61;
    EXPECT_EQ(at(400, 430).second, " Quelldatei. Mono 48kHz (16bit) 00:01:01");
}

TEST_F(Hover, TheSamePairIsNotDrawnAgain) {
    at(760, 12);
    const int presents = window.presents();
    at(770, 14);
    EXPECT_EQ(window.presents(), presents);
    at(760, 36);
    EXPECT_GT(window.presents(), presents);
}

}  // namespace
}  // namespace sc
