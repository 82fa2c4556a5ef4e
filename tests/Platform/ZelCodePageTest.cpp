#include "ZelCodePage.h"
#include "ZelErrors.h"

#include <gtest/gtest.h>

TEST(CodePage, Windows1252HighRangeAndUndefinedBytes) {
    EXPECT_EQ(ZelCodePageToWide("\x80\x96\xe9\x81", 1252), u"\u20AC\u2013\u00E9\u0081");
    EXPECT_EQ(ZelWideToCodePage(u"\u20AC\u2013\u00E9\u0081", 1252), "\x80\x96\xe9\x81");
    EXPECT_EQ(ZelCodePageToWide("\x80\x96", 28591), u"\u0080\u0096");
}

TEST(CodePage, UnmappableCharacters) {
    EXPECT_EQ(ZelWideToCodePage(u"a\u0141b", 1252), "a?b");
    EXPECT_EQ(ZelWideToCodePage(u"a\u20ACb", 28591), "a?b");
    std::string out;
    size_t bad = 99;
    EXPECT_FALSE(ZelTryWideToCodePage(u"ab\u0141c", 1252, out, &bad));
    EXPECT_EQ(bad, 2u);
    EXPECT_TRUE(ZelTryWideToCodePage(u"\u0141\u00F3d\u017A", 1250, out, &bad));
    EXPECT_EQ(ZelCodePageToWide(out, 1250), u"\u0141\u00F3d\u017A");
    EXPECT_FALSE(ZelTryWideToCodePage(u"xy\u4E2D", 1250, out, &bad));
    EXPECT_EQ(bad, 2u);
}

TEST(CodePage, Utf8AndUnknownCodePages) {
    EXPECT_EQ(ZelUtf8ToWide("caf\xc3\xa9 \xe2\x80\x93"), u"caf\u00E9 \u2013");
    EXPECT_EQ(ZelWideToUtf8(u"caf\u00E9"), "caf\xc3\xa9");
    EXPECT_EQ(ZelUtf8ToWide("\xff"), u"\uFFFD");
    EXPECT_TRUE(ZelIsCodePageSupported(1250));
    EXPECT_FALSE(ZelIsCodePageSupported(12345));
    EXPECT_THROW(ZelCodePageToWide("x", 12345), EZelArgumentError);
}

TEST(CodePage, SystemCodePageIs1252UnlessSet) {
    EXPECT_EQ(ZelGetSystemCodePage(), 1252);
    ZelSetSystemCodePage(1250);
    EXPECT_EQ(ZelGetSystemCodePage(), 1250);
    ZelSetSystemCodePage(1252);
}
