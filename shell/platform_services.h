// The platform services the shell calls, gathered in one place.
#pragma once

#include "platform/clock.h"
#include "platform/dir_listing.h"
#include "platform/file_dialog.h"
#include "platform/file_system.h"
#include "platform/media_control.h"
#include "platform/process.h"

namespace sc {

struct PlatformServices {
    platform::FileSystem& fs;
    platform::Clock& clock;
    platform::Environment& env;
    platform::Processes& processes;
    // The file dialog of the window; none on the command line.
    platform::FileDialog* dialog = nullptr;
    // Folder listings and the local time; the machine's own when not set.
    platform::DirectoryLister* lister = nullptr;
    // The media control interface of the window; none on the command line.
    platform::MediaControl* media = nullptr;
};

// The real machine: files, steady clock, processes and environment.
inline PlatformServices real_platform() {
    return {platform::real_file_system(), platform::real_clock(), platform::real_environment(),
            platform::real_processes()};
}

}  // namespace sc
