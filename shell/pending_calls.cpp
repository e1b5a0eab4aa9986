// Procedures of the window's working cycle that do nothing yet. Each one is
// replaced by its real definition in the file of its own area.
#include "shell/application.h"

namespace sc {

void Application::USER_SETUP_LADEN_UND_ANWENDEN(int /*slot*/) {}
void Application::USER_SETUP_SPEICHERN(int /*slot*/) {}
void Application::SETUP_SPRACHE_SPEICHERN() {}
void Application::store_last_used_folder() {}


}  // namespace sc
