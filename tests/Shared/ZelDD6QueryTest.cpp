#include "ZelDD6Query.h"
#include "ZelCodePage.h"
#include "ZelDD6.h"
#include "ZelErrors.h"
#include "ZelTestSupport.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<TZelLXQueryField> Field(int32_t index, std::vector<std::u16string> elements,
                                        TZelLXQueryFieldKind kind = qkT) {
    auto f = std::make_unique<TZelLXQueryField>(nullptr, kind, "f");
    f->Index = index;
    f->Fields = std::move(elements);
    return f;
}

struct TReport {
    int32_t Field;
    std::u16string Text;
    bool operator==(const TReport&) const = default;
};

// Runs the marker over a fragment; the event reports each occurrence and may mark ranges.
std::u16string
Render(TZelEnumQueryFieldHelper& marker, const std::string& fragment,
       std::vector<TReport>* reports = nullptr,
       std::function<void(const std::u16string&, const TZelAddRangeProc&)> mark = {}) {
    marker.SetEvent([&](int32_t field, const std::u16string& text, const TZelAddRangeProc& add) {
        if (reports)
            reports->push_back({field, text});
        if (mark)
            mark(text, add);
        return false;
    });
    std::u16string xml = marker.Render("<?xml version=\"1.0\" encoding=\"windows-1252\"?><body>" +
                                       fragment + "</body>");
    const std::u16string prolog = u"\uFEFF<?xml version=\"1.0\" encoding=\"UTF-16\"?>";
    EXPECT_EQ(xml.substr(0, prolog.size()), prolog);
    return xml.substr(prolog.size());
}

} // namespace

TEST(DD6Marker, NestedOccurrencesAreReportedOnceWithTheOuterText) {
    auto field = Field(3, {u"tr"});
    TZelEnumQueryFieldHelper marker;
    marker.SetFields({field.get()});
    std::vector<TReport> reports;
    std::u16string xml = Render(marker, "<tr>one <tr>two</tr> three</tr><tr>four</tr>", &reports);
    EXPECT_EQ(reports, (std::vector<TReport>{{3, u"one two three"}, {3, u"four"}}));
    EXPECT_EQ(xml, u"<body><tr>one <tr>two</tr> three</tr><tr>four</tr></body>");
}

TEST(DD6Marker, EachElementNameOfAFieldIsAnOccurrence) {
    auto field = Field(0, {u"tr", u"ex"});
    auto other = Field(1, {u"hw"});
    TZelEnumQueryFieldHelper marker;
    marker.SetFields({field.get(), other.get()});
    std::vector<TReport> reports;
    Render(marker, "<hw>bank</hw><tr>riva</tr><ex>a river bank</ex>", &reports);
    EXPECT_EQ(reports, (std::vector<TReport>{{1, u"bank"}, {0, u"riva"}, {0, u"a river bank"}}));
}

TEST(DD6Marker, HitsAcrossTagsStayWellNested) {
    auto field = Field(0, {u"tr"});
    TZelEnumQueryFieldHelper marker;
    marker.SetFields({field.get()});
    // "sponda" ends in <b> and "argine" starts in <i>: the hit "da ar" spans both.
    std::u16string xml =
        Render(marker, "<tr><b>sponda</b> <i>argine</i></tr>", nullptr,
               [](const std::u16string&, const TZelAddRangeProc& add) { add(4, 5); });
    EXPECT_EQ(xml, u"<body><tr><b>spon<em>da</em></b><em> </em><i><em>ar</em>gine</i></tr></body>");
}

TEST(DD6Marker, EntitiesCountAsOneCharacterAndAreWrittenBack) {
    auto field = Field(0, {u"tr"});
    TZelEnumQueryFieldHelper marker;
    marker.SetFields({field.get()});
    std::vector<TReport> reports;
    std::u16string xml = Render(marker, "<tr a=\"x&amp;&quot;y\">R&amp;D &lt;lab&gt;</tr>",
                                &reports, [](const std::u16string&, const TZelAddRangeProc& add) {
                                    add(2, 1);
                                    add(5, 3);
                                });
    EXPECT_EQ(reports, (std::vector<TReport>{{0, u"R&D <lab>"}}));
    EXPECT_EQ(xml,
              u"<body><tr a=\"x&amp;&quot;y\">R&amp;<em>D</em> &lt;<em>lab</em>&gt;</tr></body>");
}

TEST(DD6Marker, RangesMergeByTheRule) {
    using R = std::vector<std::pair<int32_t, int32_t>>;
    R r;
    TZelEnumQueryFieldHelper::AddRange(r, 10, 2);
    TZelEnumQueryFieldHelper::AddRange(r, 2, 3);
    EXPECT_EQ(r, (R{{2, 3}, {10, 2}}));
    TZelEnumQueryFieldHelper::AddRange(r, 1, 2); // overlaps the first: merged
    EXPECT_EQ(r, (R{{1, 4}, {10, 2}}));
    TZelEnumQueryFieldHelper::AddRange(r, 3, 4); // starts inside the first: extends it
    EXPECT_EQ(r, (R{{1, 6}, {10, 2}}));
    TZelEnumQueryFieldHelper::AddRange(r, 0, 20); // covers both: merged with the first only
    EXPECT_EQ(r, (R{{0, 20}, {10, 2}}));
    TZelEnumQueryFieldHelper::AddRange(r, 30, 1);
    EXPECT_EQ(r, (R{{0, 20}, {10, 2}, {30, 1}}));
}

TEST(DD6Marker, RangesBeyondTheTextAreInternalErrors) {
    std::u16string xml = u"<a>abc</a>";
    EXPECT_THROW(TZelEnumQueryFieldHelper::WrapRange(xml, 0, 2, 5, u"em"), EZelAssertion);
    std::u16string ok = u"<a>abc</a>";
    // A tag right where a range starts is skipped, the closing one included.
    TZelEnumQueryFieldHelper::WrapRange(ok, 0, 3, 0, u"em");
    EXPECT_EQ(ok, u"<a>abc</a><em></em>");
}

TEST(DD6Marker, EnumerationStopsWhenAskedAndRenderingMayNot) {
    auto a = Field(0, {u"a"});
    TZelEnumQueryFieldHelper marker;
    marker.SetFields({a.get()});
    std::vector<std::u16string> seen;
    marker.SetEvent([&](int32_t, const std::u16string& text, const TZelAddRangeProc&) {
        seen.push_back(text);
        return text == u"2";
    });
    marker.Enumerate("<body><a>1</a><a>2</a><a>3</a></body>");
    EXPECT_EQ(seen, (std::vector<std::u16string>{u"1", u"2"}));
    EXPECT_THROW(marker.Render("<body><a>2</a></body>"), EZelAssertion);
}

TEST(DD6Marker, AbbreviationsAreWrappedWhereTheFinderSays) {
    auto none = Field(0, {u"zz"});
    TZelEnumQueryFieldHelper marker;
    marker.SetFields({none.get()});
    marker.SetAbbreviationFinder([](const std::u16string& text, const TZelAddRangeProc& add) {
        if (text.substr(0, 4) == u"Fig.")
            add(0, 4);
    });
    marker.SetEvent(nullptr);
    std::u16string xml = marker.Render("<body><ex>Fig. 3</ex><ex>x</ex></body>");
    EXPECT_NE(xml.find(u"<ex><abbr>Fig.</abbr> 3</ex><ex>x</ex>"), std::u16string::npos);
}

// The parser hands a text over in pieces (at every reference); abbreviations are looked
// for in the whole text of a node, so "B&B" is found and "n." is not taken from "R&n.".
TEST(DD6Marker, AbbreviationsAreFoundInTheWholeTextOfANode) {
    auto none = Field(0, {u"zz"});
    TZelEnumQueryFieldHelper marker;
    marker.SetFields({none.get()});
    std::vector<std::u16string> pieces;
    marker.SetAbbreviationFinder([&](const std::u16string& text, const TZelAddRangeProc& add) {
        pieces.push_back(text);
        for (size_t at = 0; (at = text.find(u"B&B", at)) != std::u16string::npos; at += 3)
            add(int32_t(at), 3);
        if (text.substr(0, 2) == u"n.")
            add(0, 2);
    });
    std::u16string xml =
        marker.Render("<body><ex>a B&amp;B &#233;</ex><ex>R&amp;n. x</ex><ex>n. <b/>y</ex></body>");
    EXPECT_NE(xml.find(u"<ex>a <abbr>B&amp;B</abbr> \u00e9</ex><ex>R&amp;n. x</ex>"
                       u"<ex><abbr>n.</abbr> <b></b>y</ex>"),
              std::u16string::npos)
        << ZelWideToUtf8(xml);
    EXPECT_EQ(pieces, (std::vector<std::u16string>{u"a B&B \u00e9", u"R&n. x", u"n. ", u"y"}));
}

TEST(DD6QueryFields, EnumeratesTheFieldsOfEntries) {
    TTempDir dir;
    std::string description = CompileDD6Fixture(dir, "nvmini.xml");
    std::string out = dir.File("out") + "/";
    ZelRef<TZelDD6> enit =
        ZelMake<TZelDD6>(ZelMake<TZelDD6Master>("DD6KNV1", out, out, description), 9, 16);
    TZelLXQueryFields* fields = enit->GetQueryFields();
    ASSERT_EQ(fields->GetCount(), 2);
    EXPECT_EQ(fields->Get(1).Name, "Translation");
    EXPECT_EQ(fields->Get(1).GetIndexFileName(), out + "nvmini0009_i01.ddata");
    EXPECT_EQ(fields->Get(1).GetWordListFileName(), out + "nvmini0009_wl01.ddata");
    EXPECT_EQ(fields->Get(1).GetWordIndexFileName(), out + "nvmini0009_wi01.ddata");
    EXPECT_THROW(fields->Get(0).GetWordList(), EZelAssertion);
    EXPECT_FALSE(fields->Get(0).GetIndexBlocks()); // no value index for a field of kind S

    // The compiler wrote the word list and word index of the text field.
    TZelWideStrings* words = fields->Get(1).GetWordList();
    ASSERT_NE(words, nullptr);
    std::vector<std::u16string> all;
    for (int32_t i = 0; i < words->GetCount(); ++i)
        all.push_back(words->Get(i));
    EXPECT_EQ(all,
              (std::vector<std::u16string>{u"argine", u"banca", u"cercare", u"curriculum", u"fig",
                                           u"figures", u"mela", u"not", u"pomo", u"riprendere",
                                           u"riva", u"see", u"sponda", u"use", u"zebra"}));
    int32_t fig = -1;
    EXPECT_TRUE(words->Find(u"fig", fig));
    ZelRef<IZelMemBlocks> index = fields->Get(1).GetWordIndexBlocks();
    ASSERT_TRUE(index);
    EXPECT_EQ(index->GetBlockString(fig), std::string("\x01\0\0\0", 4)); // entry 1: bank/1
    EXPECT_EQ(fields->Get(1).GetWordList(), words);

    ZelRef<IZelArrayCursor> found = enit->LookupLu(u"bank", u"bank", 1, 0);
    found->SetIndex(0);
    std::vector<TReport> reports;
    enit->EnumFieldValues(*ZelQuery<IZelLu>(found), {1, 0},
                          [&](int32_t f, const std::u16string& text, const TZelAddRangeProc&) {
                              reports.push_back({f, text});
                              return false;
                          });
    EXPECT_EQ(reports,
              (std::vector<TReport>{
                  {0, u"bank"}, {1, u"banca"}, {1, u"see Fig. 3 (fig. use), not Figures"}}));
    reports.clear();
    enit->EnumFieldValues(*ZelQuery<IZelLu>(found), {1},
                          [&](int32_t f, const std::u16string& text, const TZelAddRangeProc&) {
                              reports.push_back({f, text});
                              return true;
                          });
    EXPECT_EQ(reports, (std::vector<TReport>{{1, u"banca"}}));

    // The field-text event marks what was found when the entry is rendered.
    enit->SetOnFieldText(
        [](int32_t field, const std::u16string& text, const TZelAddRangeProc& add) {
            if (field == 1 && text == u"banca")
                add(0, 3);
            return false;
        });
    std::string rtf = enit->GetEntryRtf(*ZelQuery<IZelLu>(found), 0);
    EXPECT_NE(rtf.find("{\\*\\customRef 5}{\\highlight1 ban}ca"), std::string::npos) << rtf;
}
