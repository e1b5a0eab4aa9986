// Text pairs, the language switch, and the helpers for the program's strings.
//
// All strings inside the program are UTF-8. The window converts them to code
// page 437 (the screen font) when it prints; the command line prints them as
// they are. Lengths and cuts of messages count characters, not bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace sc {

inline constexpr int16_t LANGUAGE_DE = 1;
inline constexpr int16_t LANGUAGE_EN = 2;

// A text in its German and its English form; pick one with the language.
struct TextPair {
    std::string_view de;
    std::string_view en;
    constexpr std::string_view operator()(int16_t language) const {
        return language == LANGUAGE_EN ? en : de;
    }
};

// Number of characters (code points) of a UTF-8 string.
std::size_t utf8_length(std::string_view s);
// The first / last n characters.
std::string utf8_head(std::string_view s, std::size_t n);
std::string utf8_tail(std::string_view s, std::size_t n);
// Pads on the right with spaces to n characters (never cuts).
std::string pad_right(std::string_view s, std::size_t n);
// The letters of the C locale in capitals (names and extensions compared
// without case); other bytes stay as they are.
std::string to_upper(std::string s);

// Code page 437 of the screen font: byte -> Unicode code point, and back.
char32_t cp437_to_unicode(unsigned char c);
// UTF-8 -> code page 437 bytes; characters the code page lacks become '?'.
std::string to_cp437(std::string_view utf8);
// Code page 437 bytes -> UTF-8.
std::string from_cp437(std::string_view bytes);

}  // namespace sc
