// The application object: owns the program state, the parameter set and the
// engine, and carries the shell's procedures under their own names.
#pragma once

#include <string>
#include <vector>

#include "audiofile/source_format.h"
#include "engine/engine.h"
#include "settings/parameter_set.h"
#include "settings/presets.h"
#include "shell/job.h"
#include "shell/platform_services.h"
#include "shell/rehearsal.h"
#include "settings/program_exit.h"
#include "settings/program_state.h"
#include "settings/view.h"

namespace sc {

struct ArgumentFiles;

class Application : private PresetHost {
public:
    Application(View& view, PlatformServices platform);

    ProgramState state;
    ParameterSet params;
    engine::Engine engine;
    // What the header of the loaded source says. Its sample rate is the one
    // the time coefficients and filters are computed for (44100 until a file
    // is loaded; presets and user setups set it back).
    SourceFormat source_format;
    // The vocal attribute flags of the vocal selection screen.
    VocalFlags vocal_flags;
    // The P-key rehearsal of the running job ("Musike_P").
    Rehearsal rehearsal;

    View& view() { return view_; }
    PlatformServices& platform() { return platform_; }

    // Start-up up to the panel; `command_line` are the program's arguments.
    void startup(const std::vector<std::string>& command_line);
    // The restart point after a run-time error.
    void restart();

    // The orderly exit: removes the work files and throws ProgramExit{0}.
    [[noreturn]] void ORDENTLICH_ENDE();
    // The run-time error handler: reports by error context, then either
    // restarts the initialisation or ends the program.
    void run_time_error(const RunTimeError& error);

    // The hint message of the state as a modal hint; clears the tip.
    void BLINK_HINWEIS_GEBEN();
    // Sets and shows a hint in one call.
    void hint(std::string line1, std::string line2, int16_t kind);

    // The whole panel; snaps the whole-dB settings as the display does.
    void D__DECKELZEIGEN() override;

    // Factory presets.
    void SETUP_VOICESOFT() { apply(PresetId::VOICESOFT); }
    void SETUP_VOICEHARD() { apply(PresetId::VOICEHARD); }
    void SETUP_MUSICSOFT() { apply(PresetId::MUSICSOFT); }
    void SETUP_MUSICHARD() { apply(PresetId::MUSICHARD); }
    void SETUP_SOPRAN_SOFT() { apply(PresetId::SOPRAN_SOFT); }
    void SETUP_SOPRAN_MEDIUM() { apply(PresetId::SOPRAN_MEDIUM); }
    void SETUP_SOPRAN_HARD() { apply(PresetId::SOPRAN_HARD); }
    void SETUP_ALT_SOFT() { apply(PresetId::ALT_SOFT); }
    void SETUP_ALT_MEDIUM() { apply(PresetId::ALT_MEDIUM); }
    void SETUP_ALT_HARD() { apply(PresetId::ALT_HARD); }
    void SETUP_BASS_SOFT() { apply(PresetId::BASS_SOFT); }
    void SETUP_BASS_MEDIUM() { apply(PresetId::BASS_MEDIUM); }
    void SETUP_BASS_HARD() { apply(PresetId::BASS_HARD); }
    void SETUP_BD_ALLG() { apply(PresetId::BD_ALLG); }
    void SETUP_BD_DRUCK() { apply(PresetId::BD_DRUCK); }
    void SETUP_SN_ALLG() { apply(PresetId::SN_ALLG); }
    void SETUP_SN_KONT() { apply(PresetId::SN_KONT); }
    void SETUP_SN_KNALL() { apply(PresetId::SN_KNALL); }
    void SETUP_TOM_ALLG() { apply(PresetId::TOM_ALLG); }
    void SETUP_OH_ALLG() { apply(PresetId::OH_ALLG); }
    void SETUP_EB_ALLG() { apply(PresetId::EB_ALLG); }
    void SETUP_SLB_ALLG() { apply(PresetId::SLB_ALLG); }
    void SETUP_SLB_DICHT() { apply(PresetId::SLB_DICHT); }
    void SETUP_EG_CLEAN() { apply(PresetId::EG_CLEAN); }
    void SETUP_EG_LEAD() { apply(PresetId::EG_LEAD); }
    void SETUP_AG_ALLG() { apply(PresetId::AG_ALLG); }
    void SETUP_ST_ALLG() { apply(PresetId::ST_ALLG); }
    // Applies any factory preset; vocal presets take the vocal flags.
    void apply(PresetId id);

    // The engine's designs and tables from the parameter set.
    void K_KURVE_ERZEUGEN_LIMI() override;
    void ATT_REL_ANRATEANPASSEN() override;
    void EQ_FILTERBESTIMMEN();
    void K_KURVE_ERZEUGEN_BASS();
    void K_KURVE_ERZEUGEN_MIDD();
    void K_KURVE_ERZEUGEN_HIGH();
    void K_KURVE_ERZEUGEN_LEVE();
    // Channels of the current source (no file loaded counts as mono).
    int source_channels() const { return source_channels_; }
    void set_source_channels(int channels) { source_channels_ = channels == 2 ? 2 : 1; }

    // The processing job of the loaded file; a job interrupted by a signal or
    // the window's close button ends the program afterwards.
    JobOutcome run_job();
    // The window's close button: during a job the job ends as STOP does and
    // then the program; otherwise the orderly exit at once.
    void window_closed();
    // A signal asked the program to end, or the window was closed during a job.
    bool interruption_requested() const;
    // Work files (MP3 buffer WAV, rehearsal file) in this folder instead of
    // the program and temporary folders, from the next start-up on: for a
    // run that must not touch another instance's work files.
    void use_own_work_folder(std::string folder) { own_work_folder_ = std::move(folder); }

    // --- the window's working cycle -------------------------------------------
    // The main loop with its closing step; returns only through the orderly exit.
    void main_loop();
    // Click and hover handling of the panel.
    void GEKLICKT();
    void NICHTGEKLICKT();
    // The vocal and instrument selection screens.
    void MEHR_V_SETUPS();
    void MEHR_I_SETUPS();
    // "O" / OPEN: the open dialog and the load of the chosen file.
    void open_one_file();
    // The chosen file (full path) becomes the loaded source, as after "O".
    void load_one_file(const std::string& path);
    // Files dropped onto the idle window: one is loaded as after "O",
    // several become a batch list as from the command line.
    void files_dropped(const std::vector<std::string>& paths);
    void MAUS_SCHUBSEN();

    // Help, memory and equalizer pages.
    void ABOUTLE();
    void memory_page();
    void EQ_DIAGRAMM();
    void equalizer_measurement_page();
    void EQ_Q_BESTIMMEN(int band);

    // Envelopes of source and result.
    // Checks the file and reads its envelope; a rejection clears the loaded
    // file. The result envelope from the job's file: false (and the loaded
    // file cleared) when its header has no PCM "fmt " or no "data" chunk.
    void HUELLKURVE_ERMITTELN(const std::string& path);
    bool HUELLKURVE_ERMITTELN2(const std::string& path);
    // The playing time of the checked source in seconds.
    double measure_playing_time(const std::string& path);
    void HUELLKURVEN_ZEICHNEN();
    void HUELLKURVE_ZOOMEN(int mouse_x);

    // Batches: the command-line import at start-up, F11, the folder
    // collection, F12 and the batch step after every job and closing step.
    void command_line_import(const std::vector<std::string>& command_line);
    void folder_batch_import();
    void STAPEL_DATEIEN_SAMMELN();
    void start_batch();
    void batch_step();

    // Playback through the media layer, and the external player (W key).
    void SPIELE_DATEI(const std::string& path);
    void SPIELE_ZOOM(int mouse_y);
    void play_with_media_player(const std::string& path);
    // The grey dots over the upper screen while a player runs.
    void OBEN_GRAU_PUNKTELN();

    // User setups and language.
    void USER_SETUP_LADEN_UND_ANWENDEN(int slot);
    void USER_SETUP_SPEICHERN(int slot);
    void SETUP_SPRACHE_SPEICHERN();
    // Stores the last-used folder (3 ... 99 characters) in the setups file.
    void store_last_used_folder();
    // Start-up step 10: the names of slots 1 ... 20, the language and the
    // last-used folder, read in names-only mode.
    void read_user_setup_names();

    // MP3 through the encoder program, and the DIGAS import.
    bool LAME_EXE_PRUEFEN();
    void MP3_VORBEREITEN();
    void DIGAS();

    // The pointer as the click and hover handlers see it: the reading of the
    // main loop's pass while it runs, else a fresh one.
    PointerInfo read_pointer();
    // Waits until no mouse button is held; the close button still ends the program.
    void wait_for_release();
    // Whether the encoder program is there (program folder first, then PATH);
    // keeps the path found.
    bool encoder_present();
    // Takes the hand cursor back if it is installed or asked for.
    void remove_cursor_hook();

private:
    // One pass of the main loop; false when the loop ends (a key or START).
    bool main_loop_pass();
    void closing_step();
    void move_zoom(const PointerInfo& mouse);
    void serve_help_request();
    void run_selection_screen(bool vocal);

    // The main loop's reading of this pass, for GEKLICKT.
    const PointerInfo* pass_pointer_ = nullptr;
    PointerInfo last_mouse_{-1, -1, 0};
    int last_buttons_ = 0;
    // Whether the field under the pointer asks for the hand cursor.
    bool hand_wanted_ = false;

    void reset_time_sample_rate() override { source_format.sample_rate = 44100; }
    void reset_running_gain(int which) override;

    // Playback: the cursor released and the input drained; the progress loop
    // of an opened "Musike"; the external player when the media layer does
    // not play.
    void release_cursor_and_drain();
    void play_in_box(const std::string& path, int64_t length, int baseline);
    void play_by_external_player(const std::string& path);
    // The batch step's two loads: entry 1 at start-up, the next entry of a
    // running batch.
    void load_first_batch_entry();
    // The list of several files (command line or a drop) with its two hints.
    void take_batch_list(const ArgumentFiles& files);
    void next_batch_file();
    // Set by the command-line import: the next batch step loads entry 1.
    bool batch_startup_pending_ = false;
    // The program's arguments, read again at every restart.
    std::vector<std::string> command_line_;

    // The progress line of an envelope read, with the close button served.
    void envelope_read_progress(int percent);

    // Deletes a work file if it is there.
    void remove_if_present(const std::string& path);

    // Sets the path of the user setups file; at the first start a file of
    // the program folder is copied to the configuration folder.
    void locate_user_setups_file();

    View& view_;
    PlatformServices platform_;
    int source_channels_ = 1;
    std::string own_work_folder_;
    bool job_running_ = false;
    bool close_requested_ = false;
    // The setups file alert was shown by the error handler; the restart's
    // reading of the names does not show it again.
    bool setups_alert_shown_ = false;
};

}  // namespace sc
