#include <gtest/gtest.h>

#include <string>

#include "platform/keys.h"
#include "ui/setup_name_field.h"

namespace sc::ui {
namespace {

using NameOutcome = SetupNameField::Outcome;
namespace keys = platform;

std::string pad(const std::string& s) { return s + std::string(30 - s.size(), ' '); }
std::string left() { return keys::extended_key(keys::ext::LEFT); }
std::string right() { return keys::extended_key(keys::ext::RIGHT); }
std::string del() { return keys::extended_key(keys::ext::DELETE); }
std::string backspace() { return std::string(1, keys::KEY_BACKSPACE); }

void type(SetupNameField& f, const std::string& chars) {
    for (char c : chars) EXPECT_EQ(f.key(std::string(1, c)), NameOutcome::Editing);
}

TEST(SetupNameField, StartsWithTheSlotsNameAndTheCursorOnTheFirstCharacter) {
    SetupNameField f("Vocals");
    EXPECT_EQ(f.text(), pad("Vocals"));
    EXPECT_EQ(f.cursor(), 1);
    EXPECT_EQ(f.shown(true), pad("_ocals"));
    EXPECT_EQ(f.shown(false), pad("Vocals"));
    EXPECT_EQ(SetupNameField(std::string("\0abc", 4)).text(), pad(""));
    EXPECT_EQ(SetupNameField(std::string(40, 'x')).text(), std::string(30, 'x'));
}

TEST(SetupNameField, TypingOverwritesAndTheCursorStopsAt30) {
    SetupNameField f("Vocals");
    type(f, "Talk");
    EXPECT_EQ(f.text(), pad("Talkls"));
    EXPECT_EQ(f.cursor(), 5);
    type(f, std::string(40, 'z'));
    EXPECT_EQ(f.cursor(), 30);
    EXPECT_EQ(f.text(), "Talk" + std::string(26, 'z'));
    EXPECT_EQ(f.text().size(), 30u);
}

TEST(SetupNameField, ArrowsStayInsideTheField) {
    SetupNameField f("");
    f.key(left());
    EXPECT_EQ(f.cursor(), 1);
    for (int i = 0; i < 35; ++i) f.key(right());
    EXPECT_EQ(f.cursor(), 30);
    f.key(left());
    EXPECT_EQ(f.cursor(), 29);
}

TEST(SetupNameField, BackspaceAndDeleteCloseTheGapWithASpaceAtTheEnd) {
    SetupNameField f(std::string(30, 'a').replace(0, 5, "ABCDE"));
    f.key(right());
    f.key(right());  // on "C"
    f.key(backspace());  // removes "B"
    EXPECT_EQ(f.text().substr(0, 5), "ACDEa");
    EXPECT_EQ(f.text().back(), ' ');
    EXPECT_EQ(f.cursor(), 2);
    f.key(del());  // removes "C" under the cursor
    EXPECT_EQ(f.text().substr(0, 5), "ADEaa");
    EXPECT_EQ(f.text().substr(28), "  ");
    EXPECT_EQ(f.cursor(), 2);
    EXPECT_EQ(f.text().size(), 30u);
    // nothing before character 1
    f.key(left());
    f.key(backspace());
    EXPECT_EQ(f.text().substr(0, 5), "ADEaa");
    EXPECT_EQ(f.cursor(), 1);
}

TEST(SetupNameField, AcceptsCodes32To154IncludingTheGermanLetters) {
    SetupNameField f("");
    // ü 129, ä 132, Ä 142, ö 148, Ö 153, Ü 154 of code page 437
    for (int c : {129, 132, 142, 148, 153, 154, 32, 126}) f.key(std::string(1, static_cast<char>(c)));
    EXPECT_EQ(f.text().substr(0, 8), "\x81\x84\x8e\x94\x99\x9a ~");
    EXPECT_EQ(f.cursor(), 9);
    // ß (225), other high codes, control characters and function keys do nothing
    for (int c : {225, 155, 255, 31, 9, 1})
        EXPECT_EQ(f.key(std::string(1, static_cast<char>(c))), NameOutcome::Editing);
    f.key(keys::extended_key(keys::ext::F1));
    f.key(keys::extended_key(keys::ext::HOME));
    EXPECT_EQ(f.text().substr(0, 8), "\x81\x84\x8e\x94\x99\x9a ~");
    EXPECT_EQ(f.cursor(), 9);
}

TEST(SetupNameField, EnterEscAndTheCloseButtonEndTheInput) {
    SetupNameField f("x");
    EXPECT_EQ(f.key(std::string(1, keys::KEY_ENTER)), NameOutcome::Enter);
    EXPECT_EQ(f.key(std::string(1, keys::KEY_ESC)), NameOutcome::Escape);
    EXPECT_EQ(f.key(keys::KEY_CLOSE), NameOutcome::Close);
}

TEST(SetupNameField, ANameOfOnlySpacesIsNoname) {
    EXPECT_EQ(setup_name_of(pad("")), pad("Noname"));
    EXPECT_EQ(setup_name_of(pad(" a")), pad(" a"));
}

}  // namespace
}  // namespace sc::ui
