// Texts of the processing job.
#pragma once

#include "settings/text.h"

namespace sc::job_texts {

inline constexpr TextPair USER_ABORT{" Abbruch durch Nutzer.  Letzte Copy bleibt erhalten.",
                                     " Interrupt by user.  Latest copy stays alive."};
inline constexpr TextPair REFUSED_COPY{" Datei wurde vermutlich bereits bearbeitet.",
                                       " File has probably been processed already."};
inline constexpr TextPair REFUSED_COPY_TIP{
    "       Tipp: das <copy> im Dateinamen entfernen. Das geht auch im Öffnen-Fenster (F2).",
    "       Tipp: remove the <copy> in the filename. You can do that in the Open-Window (F2)."};
inline constexpr TextPair PROGRESS_TITLE{"% SONOCLAMPER", "% SONOCLAMPER"};

// The command line's own words.
inline constexpr TextPair SAME_RESULT_TWICE{" Übersprungen: gleiche Ergebnisdatei wie bei ",
                                            " Skipped: it would write the same result as "};
inline constexpr TextPair INTERRUPTED{" Abgebrochen durch Signal %d; eine ältere Ergebnisdatei bleibt erhalten.",
                                      " Interrupted by signal %d; an older result stays as it was."};

}  // namespace sc::job_texts
