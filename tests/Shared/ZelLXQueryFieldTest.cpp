#include "ZelLXQueryField.h"
#include "ZelIniFile.h"
#include "ZelTestSupport.h"
#include "ZelWideStrings.h"

#include <gtest/gtest.h>

namespace {
std::vector<std::u16string> Words(const std::u16string& text, const std::u16string& extra = u"") {
    auto list = ZelNewCodeOrderList();
    SplitQueryWords(nullptr, text, *list, extra);
    std::vector<std::u16string> words;
    for (int32_t i = 0; i < list->GetCount(); ++i)
        words.push_back(list->At(i));
    return words;
}

TZelLXQueryFields Load(const std::string& text) {
    TZelLXQueryFields fields;
    fields.LoadFromIni(TZelIniFile(text));
    return fields;
}
} // namespace

TEST(QueryFields, DefaultsForFieldsWithoutSections) {
    TZelLXQueryFields fields = Load("[Fields]\nCount=2\n");
    ASSERT_EQ(fields.GetCount(), 2);
    for (int32_t i = 0; i < 2; ++i) {
        const TZelLXQueryField& f = fields.Get(i);
        EXPECT_EQ(f.Name, "Field" + std::to_string(i + 1));
        EXPECT_EQ(f.Kind, qkT);
        EXPECT_EQ(f.Fields, (std::vector<std::u16string>{u"Lemma"}));
        EXPECT_EQ(f.GetValues(), nullptr);
        EXPECT_EQ(f.Index, i);
        EXPECT_FALSE(f.HasMore);
        EXPECT_FALSE(f.IsMarker);
    }
    EXPECT_EQ(Load("[Fields]\nCount=many\n").GetCount(), 0);
    EXPECT_EQ(Load("").GetCount(), 0);
    TZelLXQueryFields none;
    none.LoadFromFile("/nonexistent/dictionary_search.kv0");
    EXPECT_EQ(none.GetCount(), 0);
}

TEST(QueryFields, KindsComeFromTheFirstLetter) {
    TZelLXQueryFields fields = Load("[fields]\ncount=6\n[Info_1]\nKind=Subject\n[Info_2]\nKind=Q\n"
                                    "[Info_3]\nKind=\n[INFO_4]\nKIND=X\n[Info_5]\nKind=C\n"
                                    "CustomName=ignored\n[Info_6]\nKind=x\n");
    EXPECT_EQ(fields.Get(0).Kind, qkS);
    EXPECT_EQ(fields.Get(1).Kind, qkT);
    EXPECT_EQ(fields.Get(2).Kind, qkT);
    EXPECT_EQ(fields.Get(3).Kind, qkX);
    EXPECT_EQ(fields.Get(3).CustomName, "-");
    EXPECT_EQ(fields.Get(4).Kind, qkC);
    EXPECT_EQ(fields.Get(4).CustomName, "");
    EXPECT_EQ(fields.Get(5).Kind, qkT); // letters are case-sensitive
    EXPECT_EQ(ZelQueryFieldOperators(qkS).front(), okBeginsWith);
    EXPECT_EQ(ZelQueryFieldOperators(qkX), (std::vector<TZelOpKind>{okWholeWords, okEqInt}));
    EXPECT_EQ(ZelQueryFieldOperators(qkWordForm).size(), 13u);
}

TEST(QueryFields, ValuesAndTemplates) {
    TZelLXQueryFields fields = Load("[Fields]\nCount=3\n"
                                    "[Info_1]\nName=Part of speech\nKind=C\nIsMarker=1\n"
                                    "Fields=pos, \"a \"\"quoted\"\" name\",gram\n"
                                    "[Values_1]\nTemplate=^%s$ (100%%)\nNoun=n\nVerb=v|vt\n"
                                    "[Info_2]\nKind=X\nHasMore=True\nCustomName=is\n"
                                    "[Values_2]\nNoun=n\nTemplate=x\n"
                                    "[Values_2_2]\nTemplate=%s%s\nSub=a\n"
                                    "[Info_3]\nKind=T\n[Values_3]\nIgnored=1\n");
    const TZelLXQueryField& pos = fields.Get(0);
    EXPECT_EQ(pos.Name, "Part of speech");
    EXPECT_TRUE(pos.IsMarker);
    EXPECT_EQ(pos.Fields, (std::vector<std::u16string>{u"pos", u"a \"quoted\" name", u"gram"}));
    ASSERT_NE(pos.GetValues(), nullptr);
    EXPECT_EQ(pos.GetValues()->Names, (std::vector<std::string>{"Noun", "Verb"}));
    EXPECT_EQ(pos.GetValues()->Patterns, (std::vector<std::string>{"^n$ (100%)", "^v|vt$ (100%)"}));

    // "Template" counts only on the first line; sub-values per value when HasMore is set.
    const TZelLXQueryField& x = fields.Get(1);
    EXPECT_EQ(x.CustomName, "is");
    EXPECT_EQ(x.GetValues()->Names, (std::vector<std::string>{"Noun", "Template"}));
    ASSERT_EQ(x.GetValues()->SubValues.size(), 2u);
    EXPECT_EQ(x.GetValues()->SubValues[0], nullptr);
    EXPECT_EQ(x.GetValues()->SubValues[1]->Patterns, (std::vector<std::string>{"a%s"}));

    EXPECT_EQ(fields.Get(2).GetValues(), nullptr); // only kinds C and X have values
}

TEST(QueryFields, CommaText) {
    EXPECT_EQ(ZelParseCommaText("  a, b ,c"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(ZelParseCommaText("a b"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(ZelParseCommaText("a,,b,"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(ZelParseCommaText("\"x, y\",\"unterminated"),
              (std::vector<std::string>{"x, y", "unterminated"}));
    EXPECT_EQ(ZelParseCommaText(""), (std::vector<std::string>{}));
}

TEST(QueryFields, SplitQueryWords) {
    EXPECT_EQ(Words(u"Mother-in-law's CAR"),
              (std::vector<std::u16string>{u"car", u"mother-in-law", u"s"}));
    EXPECT_EQ(Words(u"ca?a *ta", u"*?"), (std::vector<std::u16string>{u"*ta", u"ca?a"}));
    EXPECT_EQ(Words(u"Città, CITTÀ città 42"), (std::vector<std::u16string>{u"città"}));
    EXPECT_EQ(Words(u"Straße STRASSE"), (std::vector<std::u16string>{u"strasse", u"straße"}));
    EXPECT_EQ(Words(u"ΣΊΣΥΦΟΣ"), (std::vector<std::u16string>{u"σίσυφοσ"}));
    EXPECT_TRUE(Words(u"12 + 3").empty());
}
