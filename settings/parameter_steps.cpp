#include "settings/parameter_steps.h"

#include <cmath>

namespace sc {

int32_t amplitude_of_db(double db) {
    return static_cast<int32_t>(std::nearbyint(FULL_SCALE * std::pow(10.0, db / 20.0)));
}

double db_of_amplitude(double amplitude) { return 20.0 * std::log10(amplitude / FULL_SCALE); }

}  // namespace sc
