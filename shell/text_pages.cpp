// The help pages and the memory page.
#include <cmath>
#include <cstdio>

#include "platform/keys.h"
#include "shell/application.h"
#include "shell/page_lines.h"
#include "shell/page_texts.h"

namespace sc {

namespace {

// How long the memory page waits for Ctrl + F1 to be let go, at most.
constexpr int RELEASE_WAIT_MS = 3000;

}  // namespace

void Application::ABOUTLE() {
    for (int page = 1; page <= HELP_PAGE_COUNT; ++page) {
        view_.help_page(page);
        view_.TASTE_EINGEBEN();
    }
    D__DECKELZEIGEN();
}

std::string memory_line(std::optional<uint64_t> free_bytes) {
    std::string number(page_texts::MEMORY_UNKNOWN);
    if (free_bytes) {
        char buf[32];
        const double mb = std::round(static_cast<double>(*free_bytes) / (1024.0 * 1024.0));
        std::snprintf(buf, sizeof buf, "%8.0f", mb);
        number = buf;
    }
    return number + std::string(page_texts::MEMORY_FREE);
}

void Application::memory_page() {
    view_.page_begin(false);
    view_.wait_no_key();
    // Ctrl + F1 still held would turn the page at once by its key repeat.
    for (int waited = 0; waited < RELEASE_WAIT_MS && view_.key_held(platform::scan::F1); waited += 20)
        platform_.clock.sleep_ms(20);
    view_.wait_no_key();
    view_.page_text(55, 1, memory_line(platform_.env.free_memory()));
    platform_.clock.sleep_ms(200);
    view_.TASTE_EINGEBEN();
    D__DECKELZEIGEN();
}

}  // namespace sc
