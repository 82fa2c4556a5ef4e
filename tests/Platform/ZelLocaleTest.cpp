#include "ZelLocale.h"

#include <gtest/gtest.h>

TEST(Locale, LooseIgnoresCaseAndAccentsExactDoesNot) {
    using S = TZelCollationStrength;
    EXPECT_EQ(ZelCompareLocale(0x10, u"Città", u"citta", S::Loose), 0);
    EXPECT_NE(ZelCompareLocale(0x10, u"Città", u"citta", S::Exact), 0);
    EXPECT_EQ(ZelCompareLocale(0x10, u"Città", u"città", S::Secondary), 0);
    EXPECT_NE(ZelCompareLocale(0x10, u"città", u"citta", S::Secondary), 0);
    EXPECT_EQ(ZelCompareLocale(0x09, u"apple", u"banana", S::Loose), -1);
    EXPECT_EQ(ZelCompareLocale(0x09, u"banana", u"apple", S::Exact), 1);
    // Alphabetical, not by code: "é" sorts with "e", before "f".
    EXPECT_EQ(ZelCompareLocale(0x10, u"\u00E9", u"f", S::Exact), -1);
}

TEST(Locale, LanguagesMapToIcuLocales) {
    EXPECT_EQ(ZelIcuLocaleOfLanguage(0x10), "it");
    EXPECT_EQ(ZelIcuLocaleOfLanguage(0x0410), "it");
    EXPECT_EQ(ZelIcuLocaleOfLanguage(0x09), "en");
    EXPECT_EQ(ZelIcuLocaleOfLanguage(ZelLangSystemDefault), "");
}
