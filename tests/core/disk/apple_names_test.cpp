// The ProDOS and DOS 3.3 name rules, and the message a refused name gets.
#include "core/disk/apple_names.h"

#include <gtest/gtest.h>

#include "core/disk/image.h"

namespace {

using P = AppleNameProblem;

TEST(AppleNames, EachSystemsRulesAndTheirEdges)
{
    const struct {
        const char* name;
        P prodos, dos;
    } rows[] = {
        {"hello.bas2", P::None, P::None},
        {"", P::Empty, P::Empty},
        {"A23456789012345", P::None, P::None},                         // 15 characters
        {"A234567890123456", P::TooLong, P::None},                     // 16
        {"A234567890123456789012345678901", P::TooLong, P::TooLong},  // 31
        {"1HELLO", P::NotLetterFirst, P::NotLetterFirst},
        {" HELLO", P::BadCharacter, P::NotLetterFirst},
        {"MY PROGRAM", P::BadCharacter, P::None},
        {"X\rINIT HELLO", P::BadCharacter, P::BadCharacter},
        {"HI\xC1", P::BadCharacter, P::BadCharacter},
        {"A,B", P::BadCharacter, P::Comma},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(CheckProdosName(row.name), row.prodos);
        EXPECT_EQ(CheckDosName(row.name), row.dos);
    }
    for (const char* prefix : {"/VOL/", "/a.b/C2/D/"}) EXPECT_TRUE(IsProdosPrefix(prefix)) << prefix;
    for (const char* prefix : {"", "/", "//", "VOL/", "/VOL", "/VOL//", "/VOL/1SUB/"})
        EXPECT_FALSE(IsProdosPrefix(prefix)) << prefix;
}

TEST(AppleNames, ARefusalNamesItsMessageAndShowsControlCharacters)
{
    auto expect = [](const AppleNameRefusal& r, Message message, const std::string& text, int value) {
        EXPECT_EQ(r.message, message);
        EXPECT_EQ(r.text, text);
        EXPECT_EQ(r.value, value);
    };
    expect(RefuseAppleNames(LayoutDos33, "", {"FOO", "X\rINIT HELLO"}), Message::DosNameCharacters,
           "X^MINIT HELLO", 30);
    expect(RefuseAppleNames(LayoutDos33, "/DISK/", {"FOO"}), Message::BadApplePrefix, "/DISK/", 0);
    expect(RefuseAppleNames(LayoutNone, "", {"FOO"}), Message::BadApplePrefix, "", 0);
    expect(RefuseAppleNames(LayoutProdosDosOrder, "/V/", {"A234567890123456"}), Message::AppleNameTooLong,
           "A234567890123456", 15);
    expect(RefuseApplePath(LayoutProdos, "/VOL/SUB/HELLO"), Message::None, "", 0);
    expect(RefuseApplePath(LayoutProdos, "/VOL/SUB/"), Message::AppleNameEmpty, "", 15);
    expect(RefuseApplePath(LayoutDos33, "/VOL/HELLO"), Message::AppleNameFirstCharacter, "/VOL/HELLO", 30);
}

}  // namespace
