// The media control commands carried out by Windows' own media control
// interface (mciSendStringW).
#pragma once

#include <memory>

#include "platform/media_control.h"

namespace sc::platform {

std::unique_ptr<MediaControl> make_mci_media();

}  // namespace sc::platform
