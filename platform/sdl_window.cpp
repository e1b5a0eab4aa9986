#include "platform/sdl_window.h"

#include <array>
#include <cstdlib>
#include <vector>

#include "platform/event_window.h"
#include "platform/keys.h"
#include "platform/sdl_library.h"
#include "settings/text.h"

namespace sc::platform {

namespace {

// Set 1 scan codes of the SDL keys the program asks about.
constexpr std::array<std::pair<int, SDL_Scancode>, 70> kScanCodes = {{
    {scan::ESC, SDL_SCANCODE_ESCAPE},    {scan::BACKSPACE, SDL_SCANCODE_BACKSPACE},
    {scan::TAB, SDL_SCANCODE_TAB},       {scan::ENTER, SDL_SCANCODE_RETURN},
    {scan::LSHIFT, SDL_SCANCODE_LSHIFT}, {scan::RSHIFT, SDL_SCANCODE_RSHIFT},
    {scan::ALT, SDL_SCANCODE_LALT},      {scan::SPACE, SDL_SCANCODE_SPACE},
    {scan::F1, SDL_SCANCODE_F1},         {scan::F2, SDL_SCANCODE_F2},
    {scan::F3, SDL_SCANCODE_F3},         {scan::F4, SDL_SCANCODE_F4},
    {scan::F5, SDL_SCANCODE_F5},         {scan::F6, SDL_SCANCODE_F6},
    {scan::F7, SDL_SCANCODE_F7},         {scan::F8, SDL_SCANCODE_F8},
    {scan::F9, SDL_SCANCODE_F9},         {scan::F10, SDL_SCANCODE_F10},
    {scan::F11, SDL_SCANCODE_F11},       {scan::F12, SDL_SCANCODE_F12},
    {scan::HOME, SDL_SCANCODE_HOME},     {scan::UP, SDL_SCANCODE_UP},
    {scan::PAGE_UP, SDL_SCANCODE_PAGEUP}, {scan::LEFT, SDL_SCANCODE_LEFT},
    {scan::RIGHT, SDL_SCANCODE_RIGHT},   {scan::END, SDL_SCANCODE_END},
    {scan::DOWN, SDL_SCANCODE_DOWN},     {scan::PAGE_DOWN, SDL_SCANCODE_PAGEDOWN},
    {scan::INSERT, SDL_SCANCODE_INSERT}, {scan::DELETE, SDL_SCANCODE_DELETE},
    {scan::Q, SDL_SCANCODE_Q}, {scan::W, SDL_SCANCODE_W}, {scan::E, SDL_SCANCODE_E},
    {scan::R, SDL_SCANCODE_R}, {scan::T, SDL_SCANCODE_T}, {scan::Y, SDL_SCANCODE_Y},
    {scan::U, SDL_SCANCODE_U}, {scan::I, SDL_SCANCODE_I}, {scan::O, SDL_SCANCODE_O},
    {scan::P, SDL_SCANCODE_P}, {scan::A, SDL_SCANCODE_A}, {scan::S, SDL_SCANCODE_S},
    {scan::D, SDL_SCANCODE_D}, {scan::F, SDL_SCANCODE_F}, {scan::G, SDL_SCANCODE_G},
    {scan::H, SDL_SCANCODE_H}, {scan::J, SDL_SCANCODE_J}, {scan::K, SDL_SCANCODE_K},
    {scan::L, SDL_SCANCODE_L}, {scan::Z, SDL_SCANCODE_Z}, {scan::X, SDL_SCANCODE_X},
    {scan::C, SDL_SCANCODE_C}, {scan::V, SDL_SCANCODE_V}, {scan::B, SDL_SCANCODE_B},
    {scan::N, SDL_SCANCODE_N}, {scan::M, SDL_SCANCODE_M},
    {2, SDL_SCANCODE_1}, {3, SDL_SCANCODE_2}, {4, SDL_SCANCODE_3}, {5, SDL_SCANCODE_4},
    {6, SDL_SCANCODE_5}, {7, SDL_SCANCODE_6}, {8, SDL_SCANCODE_7}, {9, SDL_SCANCODE_8},
    {10, SDL_SCANCODE_9}, {11, SDL_SCANCODE_0},
    {scan::CTRL, SDL_SCANCODE_LCTRL}, {scan::CTRL, SDL_SCANCODE_RCTRL},
    {scan::ALT, SDL_SCANCODE_RALT}, {scan::ENTER, SDL_SCANCODE_KP_ENTER},
}};

// Two-byte key strings of the keys without a character.
std::string special_key(SDL_Keycode sym) {
    switch (sym) {
        case SDLK_RETURN: case SDLK_KP_ENTER: return std::string(1, KEY_ENTER);
        case SDLK_ESCAPE: return std::string(1, KEY_ESC);
        case SDLK_BACKSPACE: return std::string(1, KEY_BACKSPACE);
        case SDLK_TAB: return std::string(1, KEY_TAB);
        case SDLK_F1: return extended_key(ext::F1);
        case SDLK_F2: return extended_key(ext::F2);
        case SDLK_F3: return extended_key(ext::F3);
        case SDLK_F4: return extended_key(ext::F4);
        case SDLK_F5: return extended_key(ext::F5);
        case SDLK_F6: return extended_key(ext::F6);
        case SDLK_F7: return extended_key(ext::F7);
        case SDLK_F8: return extended_key(ext::F8);
        case SDLK_F9: return extended_key(ext::F9);
        case SDLK_F10: return extended_key(ext::F10);
        case SDLK_F11: return extended_key(ext::F11);
        case SDLK_F12: return extended_key(ext::F12);
        case SDLK_HOME: return extended_key(ext::HOME);
        case SDLK_UP: return extended_key(ext::UP);
        case SDLK_PAGEUP: return extended_key(ext::PAGE_UP);
        case SDLK_LEFT: return extended_key(ext::LEFT);
        case SDLK_RIGHT: return extended_key(ext::RIGHT);
        case SDLK_END: return extended_key(ext::END);
        case SDLK_DOWN: return extended_key(ext::DOWN);
        case SDLK_PAGEDOWN: return extended_key(ext::PAGE_DOWN);
        case SDLK_INSERT: return extended_key(ext::INSERT);
        case SDLK_DELETE: return extended_key(ext::DELETE);
        default: return {};
    }
}

class SdlWindow final : public EventWindow {
public:
    SdlWindow() = default;
    ~SdlWindow() override {
        if (hand_) sdl().FreeCursor(hand_);
        if (arrow_) sdl().FreeCursor(arrow_);
        if (texture_) sdl().DestroyTexture(texture_);
        if (renderer_) sdl().DestroyRenderer(renderer_);
        if (window_) sdl().DestroyWindow(window_);
        sdl().Quit();
    }

    bool open(int width, int height, int bits_per_pixel, int /*pages*/) override {
        if (window_ || bits_per_pixel != 8) return window_ != nullptr;
        window_ = sdl().CreateWindow(title_.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height, 0);
        if (!window_) return false;
        renderer_ = sdl().CreateRenderer(window_, -1, 0);
        if (!renderer_) return false;
        texture_ = sdl().CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, width, height);
        if (!texture_) return false;
        pixels_.assign(static_cast<std::size_t>(width) * height, 0);
        hand_ = sdl().CreateSystemCursor(SDL_SYSTEM_CURSOR_HAND);
        arrow_ = sdl().CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);
        sdl().StartTextInput();
        return true;
    }

    bool key_down(int scan_code) override {
        show_now();
        pump();
        const Uint8* state = sdl().GetKeyboardState(nullptr);
        for (const auto& [code, sdl] : kScanCodes)
            if (code == scan_code && state[sdl]) return true;
        return false;
    }

    PointerState pointer_position() override {
        show_now();
        pump();
        PointerState p;
        const Uint32 b = sdl().GetMouseState(&p.x, &p.y);
        if (b & SDL_BUTTON_LMASK) p.buttons |= BUTTON_LEFT_BIT;
        if (b & SDL_BUTTON_RMASK) p.buttons |= BUTTON_RIGHT_BIT;
        return p;
    }

    void move_pointer(int x, int y) override {
        if (window_) sdl().WarpMouseInWindow(window_, x, y);
    }
    void show_pointer(bool visible) override { sdl().ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE); }
    void set_hand_cursor(bool on) override {
        SDL_Cursor* c = on ? hand_ : arrow_;
        if (c) sdl().SetCursor(c);
    }
    void set_title(const std::string& title) override {
        title_ = from_cp437(to_cp437(title));
        if (window_) sdl().SetWindowTitle(window_, title_.c_str());
    }

    void pause_ms(int ms) override {
        show_now();
        const Uint64 end = sdl().GetTicks64() + static_cast<Uint64>(ms > 0 ? ms : 0);
        for (;;) {
            pump();
            const Uint64 now = sdl().GetTicks64();
            if (now >= end) break;
            sdl().Delay(static_cast<Uint32>(end - now < 10 ? end - now : 10));
        }
    }
    Clock& clock() override { return real_clock(); }

protected:
    void present(const Framebuffer& frame) override {
        if (!window_) return;
        for (int y = 0; y < Framebuffer::height; ++y)
            for (int x = 0; x < Framebuffer::width; ++x)
                pixels_[static_cast<std::size_t>(y) * Framebuffer::width + x] = 0xFF000000u | frame.rgb_at(x, y);
        repaint();
    }

private:
    void repaint() {
        sdl().UpdateTexture(texture_, nullptr, pixels_.data(), Framebuffer::width * 4);
        sdl().RenderClear(renderer_);
        sdl().RenderCopy(renderer_, texture_, nullptr, nullptr);
        sdl().RenderPresent(renderer_);
    }

    int take_wheel() override {
        const int steps = wheel_;
        wheel_ = 0;
        return steps;
    }

    void pump() override {
        SDL_Event e;
        while (sdl().PollEvent(&e)) {
            switch (e.type) {
                case SDL_QUIT: keys_.push_back(KEY_CLOSE); break;
                case SDL_WINDOWEVENT:
                    if (e.window.event == SDL_WINDOWEVENT_EXPOSED && texture_) repaint();
                    break;
                case SDL_MOUSEWHEEL: wheel_ += e.wheel.y; break;
                case SDL_DROPBEGIN:
                    dropping_ = true;
                    dropped_.clear();
                    break;
                case SDL_DROPFILE:
                    if (e.drop.file) dropped_.emplace_back(e.drop.file);
                    sdl().free(e.drop.file);
                    // a desktop that sends no begin and end gives one file a drop
                    if (!dropping_) finish_drop();
                    break;
                case SDL_DROPTEXT: sdl().free(e.drop.file); break;
                case SDL_DROPCOMPLETE:
                    dropping_ = false;
                    finish_drop();
                    break;
                case SDL_MOUSEBUTTONDOWN:
                    if (e.button.button == SDL_BUTTON_LEFT) pressed_ |= BUTTON_LEFT_BIT;
                    if (e.button.button == SDL_BUTTON_RIGHT) pressed_ |= BUTTON_RIGHT_BIT;
                    break;
                case SDL_TEXTINPUT: {
                    if (sdl().GetModState() & KMOD_CTRL) break;  // Ctrl + letter comes as a key below
                    for (char ch : to_cp437(e.text.text)) keys_.emplace_back(1, ch);
                    break;
                }
                case SDL_KEYDOWN: {
                    const SDL_Keycode sym = e.key.keysym.sym;
                    if ((e.key.keysym.mod & KMOD_CTRL) && sym >= SDLK_a && sym <= SDLK_z) {
                        keys_.emplace_back(1, static_cast<char>(sym - SDLK_a + 1));
                        break;
                    }
                    std::string k = special_key(sym);
                    if (!k.empty()) keys_.push_back(std::move(k));
                    break;
                }
                default: break;
            }
        }
    }

    void finish_drop() {
        if (!dropped_.empty()) drops_.push_back(std::move(dropped_));
        dropped_.clear();
    }

    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    SDL_Cursor* hand_ = nullptr;
    SDL_Cursor* arrow_ = nullptr;
    std::vector<uint32_t> pixels_;
    std::vector<std::string> dropped_;            // the files of the drop under way
    bool dropping_ = false;
    std::string title_ = "SONOCLAMPER";
    int wheel_ = 0;
};

}  // namespace

std::unique_ptr<Window> make_sdl_window(std::string& error) {
    // SDL falls back to drawing into nothing when there is no display; that
    // counts as no display unless a driver was asked for by name.
    const bool driver_chosen = std::getenv("SDL_VIDEODRIVER") != nullptr;
    if (!driver_chosen && !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) {
        error = "neither DISPLAY nor WAYLAND_DISPLAY is set";
        return nullptr;
    }
    if (!load_sdl(error)) return nullptr;
    if (sdl().Init(SDL_INIT_VIDEO) != 0) {
        error = sdl().GetError();
        return nullptr;
    }
    const std::string driver = sdl().GetCurrentVideoDriver() ? sdl().GetCurrentVideoDriver() : "";
    if (!driver_chosen && (driver == "offscreen" || driver == "dummy")) {
        sdl().Quit();
        error = "no video device";
        return nullptr;
    }
    return std::make_unique<SdlWindow>();
}

}  // namespace sc::platform
