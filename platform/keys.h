// Key strings as the key poll returns them, and scan codes for the key state.
//
// A key string is one byte for a character key (code page 437: printable
// characters, Enter 13, Esc 27, Backspace 8, Tab 9, Ctrl + letter 1 ... 26),
// or two bytes for the keys without a character: a zero byte followed by the
// extended code (arrows, Delete, function keys). The window's close button
// reads as the byte 255 followed by "k".
//
// The key state is asked by the keyboard's scan code (the PC set 1 make
// codes: F1 59, F11 87, F12 88, Ctrl 29 ...), which is independent of the
// keyboard layout.
#pragma once

#include <string>

namespace sc::platform {

inline std::string extended_key(unsigned char code) { return std::string(1, '\0') + static_cast<char>(code); }

inline const std::string KEY_CLOSE = std::string(1, static_cast<char>(255)) + "k";
inline constexpr char KEY_ENTER = 13;
inline constexpr char KEY_ESC = 27;
inline constexpr char KEY_BACKSPACE = 8;
inline constexpr char KEY_TAB = 9;

// Extended codes of the two-byte key strings.
namespace ext {
inline constexpr unsigned char F1 = 59, F2 = 60, F3 = 61, F4 = 62, F5 = 63, F6 = 64, F7 = 65,
                               F8 = 66, F9 = 67, F10 = 68, F11 = 133, F12 = 134;
inline constexpr unsigned char HOME = 71, UP = 72, PAGE_UP = 73, LEFT = 75, RIGHT = 77, END = 79,
                               DOWN = 80, PAGE_DOWN = 81, INSERT = 82, DELETE = 83;
}  // namespace ext

// Scan codes (set 1) for the key state.
namespace scan {
inline constexpr int ESC = 1, BACKSPACE = 14, TAB = 15, ENTER = 28, CTRL = 29, LSHIFT = 42,
                     RSHIFT = 54, ALT = 56, SPACE = 57;
inline constexpr int F1 = 59, F2 = 60, F3 = 61, F4 = 62, F5 = 63, F6 = 64, F7 = 65, F8 = 66,
                     F9 = 67, F10 = 68, F11 = 87, F12 = 88;
inline constexpr int HOME = 71, UP = 72, PAGE_UP = 73, LEFT = 75, RIGHT = 77, END = 79, DOWN = 80,
                     PAGE_DOWN = 81, INSERT = 82, DELETE = 83;
// Letters and digits.
inline constexpr int Q = 16, W = 17, E = 18, R = 19, T = 20, Y = 21, U = 22, I = 23, O = 24, P = 25,
                     A = 30, S = 31, D = 32, F = 33, G = 34, H = 35, J = 36, K = 37, L = 38, Z = 44,
                     X = 45, C = 46, V = 47, B = 48, N = 49, M = 50;
inline constexpr int DIGIT_1 = 2, DIGIT_0 = 11;  // 1 ... 9 are 2 ... 10
inline constexpr int COUNT = 128;
}  // namespace scan

}  // namespace sc::platform
