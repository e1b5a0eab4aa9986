// The real window on Windows: a fixed 800 x 525 client area showing the
// framebuffer as an 8-bit DIB with its 256-colour table.
#include "platform/win32_window.h"

#include <windows.h>
#include <shellapi.h>
#undef DELETE  // a macro of windows.h; the key names use the word

#include <array>
#include <vector>

#include "platform/event_window.h"
#include "platform/keys.h"
#include "platform/win32_text.h"
#include "settings/text.h"

namespace sc::platform {

namespace {

constexpr wchar_t kClassName[] = L"SONOCLAMPER";

// Extended codes of the virtual keys without a character; the keys with one
// (Enter, Esc, Backspace, Tab, Ctrl + letter) arrive as characters.
constexpr std::array<std::pair<WPARAM, unsigned char>, 22> kExtendedKeys = {{
    {VK_F1, ext::F1},       {VK_F2, ext::F2},         {VK_F3, ext::F3},     {VK_F4, ext::F4},
    {VK_F5, ext::F5},       {VK_F6, ext::F6},         {VK_F7, ext::F7},     {VK_F8, ext::F8},
    {VK_F9, ext::F9},       {VK_F10, ext::F10},       {VK_F11, ext::F11},   {VK_F12, ext::F12},
    {VK_HOME, ext::HOME},   {VK_UP, ext::UP},         {VK_PRIOR, ext::PAGE_UP}, {VK_LEFT, ext::LEFT},
    {VK_RIGHT, ext::RIGHT}, {VK_END, ext::END},       {VK_DOWN, ext::DOWN}, {VK_NEXT, ext::PAGE_DOWN},
    {VK_INSERT, ext::INSERT}, {VK_DELETE, ext::DELETE},
}};

// The set 1 scan code of a key message (Windows reports that set; extended
// keys such as the arrows share the code of their keypad twins).
int scan_code_of(LPARAM lparam) { return static_cast<int>((lparam >> 16) & 0xFF); }

// The DIB header with the 256-entry colour table; top-down rows.
struct DibInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colours[256];
};

class Win32Window final : public EventWindow {
public:
    explicit Win32Window(HINSTANCE instance) : instance_(instance) {
        info_.header = {};
        info_.header.biSize = sizeof(BITMAPINFOHEADER);
        info_.header.biWidth = Framebuffer::width;
        info_.header.biHeight = -Framebuffer::height;
        info_.header.biPlanes = 1;
        info_.header.biBitCount = 8;
        info_.header.biCompression = BI_RGB;
        info_.header.biClrUsed = 256;
        pixels_.assign(static_cast<std::size_t>(Framebuffer::width) * Framebuffer::height, 0);
        hand_ = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND));
        arrow_ = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    }
    ~Win32Window() override {
        if (hwnd_) ::DestroyWindow(hwnd_);
        pump();
    }

    bool open(int width, int height, int bits_per_pixel, int /*pages*/) override {
        if (hwnd_ || bits_per_pixel != 8) return hwnd_ != nullptr;
        const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
        RECT r{0, 0, width, height};
        ::AdjustWindowRectEx(&r, style, FALSE, WS_EX_ACCEPTFILES);
        hwnd_ = ::CreateWindowExW(WS_EX_ACCEPTFILES, kClassName, widen(title_).c_str(), style, CW_USEDEFAULT,
                                  CW_USEDEFAULT, r.right - r.left, r.bottom - r.top, nullptr, nullptr, instance_, this);
        if (!hwnd_) return false;
        ::ShowWindow(hwnd_, SW_SHOWNORMAL);
        ::UpdateWindow(hwnd_);
        pump();
        return true;
    }

    bool key_down(int scan_code) override {
        show_now();
        pump();
        return scan_code > 0 && scan_code < scan::COUNT && held_[static_cast<std::size_t>(scan_code)];
    }

    PointerState pointer_position() override {
        show_now();
        pump();
        PointerState p;
        POINT at{};
        if (::GetCursorPos(&at) && hwnd_ && ::ScreenToClient(hwnd_, &at)) {
            p.x = at.x;
            p.y = at.y;
        }
        p.buttons = buttons_;
        return p;
    }

    void move_pointer(int x, int y) override {
        if (!hwnd_) return;
        POINT at{x, y};
        if (::ClientToScreen(hwnd_, &at)) ::SetCursorPos(at.x, at.y);
    }
    void show_pointer(bool visible) override {
        pointer_visible_ = visible;
        update_cursor();
    }
    void set_hand_cursor(bool on) override {
        hand_on_ = on;
        update_cursor();
    }
    void set_title(const std::string& title) override {
        title_ = from_cp437(to_cp437(title));
        if (hwnd_) ::SetWindowTextW(hwnd_, widen(title_).c_str());
    }

    void pause_ms(int ms) override {
        show_now();
        const ULONGLONG end = ::GetTickCount64() + static_cast<ULONGLONG>(ms > 0 ? ms : 0);
        for (;;) {
            pump();
            const ULONGLONG now = ::GetTickCount64();
            if (now >= end) break;
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
        }
    }
    Clock& clock() override { return real_clock(); }

    // The files of the oldest drop not yet taken (UTF-8 paths), or none.
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
        if (message == WM_NCCREATE) {
            const auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
            ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto* self = reinterpret_cast<Win32Window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (self && self->handle(hwnd, message, wparam, lparam)) return self->result_;
        return ::DefWindowProcW(hwnd, message, wparam, lparam);
    }

protected:
    void present(const Framebuffer& frame) override {
        for (int i = 0; i < 256; ++i) {
            const Rgb6& c = frame.palette(i);
            info_.colours[i] = RGBQUAD{shown_component(c.b), shown_component(c.g), shown_component(c.r), 0};
        }
        const auto& source = frame.pixels();
        std::copy(source.begin(), source.end(), pixels_.begin());
        if (!hwnd_) return;
        HDC dc = ::GetDC(hwnd_);
        paint(dc);
        ::ReleaseDC(hwnd_, dc);
    }

private:
    void paint(HDC dc) {
        ::SetDIBitsToDevice(dc, 0, 0, Framebuffer::width, Framebuffer::height, 0, 0, 0, Framebuffer::height,
                            pixels_.data(), reinterpret_cast<const BITMAPINFO*>(&info_), DIB_RGB_COLORS);
    }

    int take_wheel() override {
        const int steps = wheel_ / WHEEL_DELTA;
        wheel_ -= steps * WHEEL_DELTA;
        return steps;
    }

    void pump() override {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }

    void update_cursor() {
        POINT at{};
        RECT client{};
        if (!hwnd_ || !::GetCursorPos(&at) || !::ScreenToClient(hwnd_, &at) || !::GetClientRect(hwnd_, &client)) return;
        if (::PtInRect(&client, at) && ::GetForegroundWindow() == hwnd_) ::SetCursor(current_cursor());
    }
    HCURSOR current_cursor() const { return !pointer_visible_ ? nullptr : hand_on_ ? hand_ : arrow_; }

    void key_pressed(WPARAM vk, LPARAM lparam, bool down) {
        const int scan = scan_code_of(lparam);
        if (scan < scan::COUNT) held_[static_cast<std::size_t>(scan)] = down;
        if (!down) return;
        for (const auto& [key, code] : kExtendedKeys)
            if (key == vk) keys_.push_back(extended_key(code));
    }

    void character(wchar_t ch) {
        if (ch >= 0xD800 && ch <= 0xDBFF) {  // the first half of a pair
            high_surrogate_ = ch;
            return;
        }
        std::wstring text(1, ch);
        if (ch >= 0xDC00 && ch <= 0xDFFF) text.insert(text.begin(), high_surrogate_);
        high_surrogate_ = 0;
        if (ch == L'\n') text = L"\r";  // Ctrl + Enter is Enter
        for (char c : to_cp437(narrow(text))) keys_.emplace_back(1, c);
    }

    void dropped(HDROP drop) {
        const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
        std::vector<std::string> files;
        for (UINT i = 0; i < count; ++i) {
            std::wstring path(::DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
            const UINT n = ::DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size()));
            path.resize(n);
            if (n > 0) files.push_back(narrow(path));
        }
        ::DragFinish(drop);
        if (!files.empty()) drops_.push_back(std::move(files));
    }

    // True when the message was handled here (the answer in result_).
    bool handle(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
        result_ = 0;
        switch (message) {
            case WM_CLOSE: keys_.push_back(KEY_CLOSE); return true;
            case WM_PAINT: {
                PAINTSTRUCT ps;
                HDC dc = ::BeginPaint(hwnd, &ps);
                paint(dc);
                ::EndPaint(hwnd, &ps);
                return true;
            }
            case WM_ERASEBKGND: result_ = 1; return true;
            case WM_SETCURSOR:
                if (LOWORD(lparam) != HTCLIENT) return false;
                ::SetCursor(current_cursor());
                result_ = TRUE;
                return true;
            case WM_KEYDOWN: case WM_SYSKEYDOWN:
                key_pressed(wparam, lparam, true);
                return false;  // Alt + F4 closes
            case WM_KEYUP: case WM_SYSKEYUP:
                key_pressed(wparam, lparam, false);
                return false;
            case WM_SYSCOMMAND:
                // Alt or F10 alone would move the keys to the window menu.
                return (wparam & 0xFFF0) == SC_KEYMENU && lparam == 0;
            case WM_CHAR: character(static_cast<wchar_t>(wparam)); return true;
            case WM_KILLFOCUS:
                held_.fill(false);
                buttons_ = 0;
                return false;
            case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: {
                const int bit = message == WM_LBUTTONDOWN ? BUTTON_LEFT_BIT : BUTTON_RIGHT_BIT;
                buttons_ |= bit;
                pressed_ |= bit;
                ::SetCapture(hwnd);
                return true;
            }
            case WM_LBUTTONUP: case WM_RBUTTONUP:
                buttons_ &= ~(message == WM_LBUTTONUP ? BUTTON_LEFT_BIT : BUTTON_RIGHT_BIT);
                if (buttons_ == 0) ::ReleaseCapture();
                return true;
            case WM_CAPTURECHANGED:
                if (reinterpret_cast<HWND>(lparam) != hwnd) buttons_ = 0;
                return false;
            case WM_MOUSEWHEEL: wheel_ += GET_WHEEL_DELTA_WPARAM(wparam); return true;
            case WM_DROPFILES: dropped(reinterpret_cast<HDROP>(wparam)); return true;
            case WM_DESTROY: hwnd_ = nullptr; return false;
            default: return false;
        }
    }

    HINSTANCE instance_;
    HWND hwnd_ = nullptr;
    HCURSOR hand_ = nullptr;
    HCURSOR arrow_ = nullptr;
    DibInfo info_{};
    std::vector<uint8_t> pixels_;  // the picture as last shown
    std::array<bool, scan::COUNT> held_{};
    std::string title_ = "SONOCLAMPER";
    LRESULT result_ = 0;
    wchar_t high_surrogate_ = 0;
    int buttons_ = 0;  // held now, as the button messages tell
    int wheel_ = 0;    // wheel units not yet reported
    bool pointer_visible_ = true;
    bool hand_on_ = false;
};

}  // namespace

std::unique_ptr<Window> make_win32_window(std::string& error) {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &Win32Window::procedure;
    wc.hInstance = instance;
    wc.hCursor = nullptr;  // set on every WM_SETCURSOR: arrow, hand or none
    wc.hIcon = ::LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
    wc.lpszClassName = kClassName;
    if (!::RegisterClassExW(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        error = "the window class cannot be registered (error " + std::to_string(::GetLastError()) + ")";
        return nullptr;
    }
    return std::make_unique<Win32Window>(instance);
}

}  // namespace sc::platform
