// The ProDOS and DOS 3.3 name rules, and the message a refused name gets.
#include "disk/apple_names.h"

#include <gtest/gtest.h>

#include <string>

#include "disk/image.h"

namespace {

using P = AppleNameProblem;

TEST(AppleNames, EachSystemsRulesAndTheirEdges)
{
    const struct {
        const char* name;
        P prodos;
        P dos;
    } rows[] = {
        {"HELLO", P::None, P::None},
        {"hello.bas2", P::None, P::None},
        {"", P::Empty, P::Empty},
        {"A23456789012345", P::None, P::None},       // 15 characters
        {"A234567890123456", P::TooLong, P::None},   // 16
        {"A23456789012345678901234567890", P::TooLong, P::None},  // 30
        {"A234567890123456789012345678901", P::TooLong, P::TooLong},  // 31
        {"1HELLO", P::NotLetterFirst, P::NotLetterFirst},
        {".HELLO", P::NotLetterFirst, P::NotLetterFirst},
        {"MY PROGRAM", P::BadCharacter, P::None},
        {"A~B", P::BadCharacter, P::None},
        {"X\rINIT HELLO", P::BadCharacter, P::BadCharacter},
        {"HELLO\x7F", P::BadCharacter, P::BadCharacter},
        {"HI\xC1", P::BadCharacter, P::BadCharacter},
        {"A,B", P::BadCharacter, P::Comma},
        {" HELLO", P::BadCharacter, P::NotLetterFirst},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(CheckProdosName(row.name), row.prodos);
        EXPECT_EQ(CheckDosName(row.name), row.dos);
    }
    for (const char* prefix : {"/VOL/", "/VOL/SUB/", "/a.b/C2/D/"}) EXPECT_TRUE(IsProdosPrefix(prefix)) << prefix;
    for (const char* prefix : {"", "/", "//", "VOL/", "/VOL", "/VOL//", "/VOL/1SUB/", "/VOL/S B/", "/A234567890123456/"})
        EXPECT_FALSE(IsProdosPrefix(prefix)) << prefix;
}

TEST(AppleNames, ARefusalNamesTheMessageAndShowsTheName)
{
    auto check = [](AppleNameRefusal r, Message message, const std::string& text, int value) {
        EXPECT_EQ(r.message, message);
        EXPECT_EQ(r.text, text);
        EXPECT_EQ(r.value, value);
    };
    check(RefuseAppleNames(LayoutProdos, "/DISK/", {"FOO", "BAR"}), Message::None, "", 0);
    check(RefuseAppleNames(LayoutDos33, "", {"MY PROGRAM"}), Message::None, "", 0);
    // The prefix comes first; DOS 3.3 has none at all.
    check(RefuseAppleNames(LayoutProdos, "", {"FOO"}), Message::BadApplePrefix, "", 0);
    check(RefuseAppleNames(LayoutDos33, "/DISK/", {"FOO"}), Message::BadApplePrefix, "/DISK/", 0);
    check(RefuseAppleNames(LayoutNone, "", {"FOO"}), Message::BadApplePrefix, "", 0);
    // The second name of a rename; a carriage return shows as ^M.
    check(RefuseAppleNames(LayoutDos33, "", {"FOO", "X\rINIT HELLO"}), Message::DosNameCharacters,
          "X^MINIT HELLO", 30);
    check(RefuseAppleNames(LayoutProdosDosOrder, "/V/", {"A\tB"}), Message::ProdosNameCharacters, "A^IB", 15);
    check(RefuseAppleNames(LayoutProdos, "/V/", {"A234567890123456"}), Message::AppleNameTooLong,
          "A234567890123456", 15);
    check(RefuseAppleNames(LayoutDos33, "", {"A,B"}), Message::DosNameComma, "A,B", 30);
    check(RefuseAppleNames(LayoutDos33, "", {"2A"}), Message::AppleNameFirstCharacter, "2A", 30);
    check(RefuseAppleNames(LayoutDos33, "", {""}), Message::AppleNameEmpty, "", 30);

    check(RefuseApplePath(LayoutProdos, "/VOL/SUB/HELLO"), Message::None, "", 0);
    check(RefuseApplePath(LayoutDos33, "MY PROGRAM"), Message::None, "", 0);
    check(RefuseApplePath(LayoutProdos, "HELLO"), Message::BadApplePrefix, "", 0);
    check(RefuseApplePath(LayoutProdos, "/VOL/SUB/"), Message::AppleNameEmpty, "", 15);
    check(RefuseApplePath(LayoutDos33, "/VOL/HELLO"), Message::AppleNameFirstCharacter, "/VOL/HELLO", 30);

    EXPECT_EQ(ComposeMessage(Message::AppleNameTooLong, "A234567890123456", 15).text,
              "The Apple ][ file name A234567890123456 is longer than 15 characters!");
}

}  // namespace
