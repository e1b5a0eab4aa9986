// Texts of the open / save dialog drawn in the window.
#pragma once

#include "settings/text.h"

namespace sc::ui::file_dialog_texts {

inline constexpr TextPair FOLDER{"Ordner:    ", "Folder:    "};
inline constexpr TextPair FILE_NAME{"Dateiname: ", "File name: "};
inline constexpr TextPair FILE_TYPE{"Dateityp:  ", "Type:      "};
inline constexpr TextPair OPEN_BUTTON{" Öffnen ", "  Open  "};
inline constexpr TextPair SAVE_BUTTON{"Speichern", "  Save   "};
inline constexpr TextPair CANCEL_BUTTON{"Abbrechen", " Cancel  "};
inline constexpr TextPair KEYS{"Enter: öffnen  Rücktaste: Ordner höher  Tab: Dateityp  Esc: abbrechen",
                               "Enter: open  Backspace: folder up  Tab: file type  Esc: cancel"};
inline constexpr TextPair FOLDER_MARK{"<ORDNER>", "<FOLDER>"};
inline constexpr TextPair EMPTY_FOLDER{"(keine passenden Dateien)", "(no matching files)"};

// Problems shown in the dialog's message line, followed by the name.
inline constexpr TextPair NOT_FOUND{"Nicht gefunden: ", "Not found: "};
inline constexpr TextPair UNREADABLE{"Ordner nicht lesbar: ", "Folder cannot be read: "};
inline constexpr TextPair OVERWRITE{" ist schon da. Überschreiben? (J/N)", " exists already. Overwrite? (Y/N)"};

}  // namespace sc::ui::file_dialog_texts
