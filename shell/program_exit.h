// Ending the program from deep inside a procedure: the orderly exit throws
// this after its clean-up, and main returns the code.
#pragma once

namespace sc {

struct ProgramExit {
    int code = 0;
};

}  // namespace sc
