// Procedures of the window's working cycle that do nothing yet. Each one is
// replaced by its real definition in the file of its own area.
#include "shell/application.h"

namespace sc {



}  // namespace sc
