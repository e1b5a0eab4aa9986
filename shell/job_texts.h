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

}  // namespace sc::job_texts
