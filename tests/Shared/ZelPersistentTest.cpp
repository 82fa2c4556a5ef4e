#include "ZelPersistent.h"
#include "ZelErrors.h"
#include "ZelLangConfig.h"
#include "ZelSettingsStore.h"
#include "ZelTestSupport.h"

#include <gtest/gtest.h>

namespace {

// A settings class with one property of every kind.
class TFont : public TZelPersistent {
public:
    const std::vector<TZelPropInfo>& GetProperties() const override {
        static const std::vector<TZelPropInfo> props = {
            ZelStringProp("Name", &TFont::Name),
            ZelIntProp("Size", &TFont::Size),
            ZelSetProp("Style", &TFont::Style, {"fsBold", "fsItalic", "fsUnderline"}),
        };
        return props;
    }
    std::string Name = "Arial";
    int32_t Size = 10;
    uint32_t Style = 0;
};

class TSettings : public TZelPersistent {
public:
    const std::vector<TZelPropInfo>& GetProperties() const override {
        static const std::vector<TZelPropInfo> props = {
            ZelObjectProp("DefaultTextFont", &TSettings::Font),
            ZelObjectProp("LangConfigList", &TSettings::Langs),
            ZelBoolProp("SpellCheckerEnabled", &TSettings::Spell),
            ZelStringsProp("Recent", &TSettings::Recent),
        };
        return props;
    }
    TFont Font;
    TZelLangConfigList Langs;
    bool Spell = false;
    std::vector<std::string> Recent;
};

void FillLangs(TZelLangConfigList& langs) {
    TZelLangConfig& enit = langs.AddItem();
    enit.SetDisplayName("009-016");
    enit.DisambiguationEnabled = true;
    TZelDicViewConfig& view = enit.DicViewConfigList.AddItem();
    view.SetDisplayName("Default View");
    view.KeepSourceFont = true;
    TZelDicConfig& main = view.DicConfigList.AddItem();
    main.SetDisplayName("DD6KNV1_ENIT");
    main.LookupMode = lmIfNotFoundBefore;
    main.ViewIndex = 1;
    view.DicConfigList.AddItem().SetDisplayName("DD6KNVGN1_ENIT");
    TZelLangConfig& iten = langs.AddItem();
    iten.SetDisplayName("016-009");
    iten.MorphAnalysisEnabled = false;
    iten.DicViewConfigList.AddItem().SetDisplayName("Second");
}

// A hand-made entry of the stream: name, tag, value.
std::vector<uint8_t> Entry(const std::string& name, uint8_t tag, const std::string& value) {
    std::vector<uint8_t> out = {uint8_t(name.size())};
    out.insert(out.end(), name.begin(), name.end());
    out.push_back(tag);
    for (int i = 0; i < 4; ++i)
        out.push_back(uint8_t(value.size() >> (8 * i)));
    out.insert(out.end(), value.begin(), value.end());
    return out;
}

void Append(std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    a.insert(a.end(), b.begin(), b.end());
}

} // namespace

TEST(Persistent, LanguageConfigurationsRoundTripThroughTheStore) {
    TTempHives hives;
    TSettings saved;
    FillLangs(saved.Langs);
    saved.Font.Name = "DejaVu Sans";
    saved.Font.Style = 5;
    saved.Spell = true;
    saved.Recent = {"a.txt", "", "b.rtf"};
    auto key = ZelSettings().OpenKey(TZelHive::CurrentUser, "Software\\VRD\\NV\\1.0", true);
    SavePersistent(*key, "Config", saved);

    ZelSettings().Reset();
    TSettings loaded;
    LoadPersistent(*ZelSettings().OpenKey(TZelHive::CurrentUser, "Software\\VRD\\NV\\1.0", false),
                   "Config", loaded);
    EXPECT_TRUE(SamePersistent(&saved, &loaded));
    EXPECT_EQ(
        loaded.Langs.GetItem(0).DicViewConfigList.GetItem(0).DicConfigList.GetItem(0).LookupMode,
        lmIfNotFoundBefore);

    // Any difference, however deep, is seen.
    loaded.Langs.GetItem(0).DicViewConfigList.GetItem(0).DicConfigList.GetItem(1).ViewIndex = 3;
    EXPECT_FALSE(SamePersistent(&saved, &loaded));
}

TEST(Persistent, CopyAndCompare) {
    TZelLangConfigList a, b;
    FillLangs(a);
    EXPECT_FALSE(SamePersistent(&a, &b)); // different numbers of items
    CopyPersistent(b, a);
    EXPECT_TRUE(SamePersistent(&a, &b));
    EXPECT_TRUE(SamePersistent(&a, &a));
    EXPECT_FALSE(SamePersistent(&a, nullptr));
    TZelDicConfig dic;
    EXPECT_FALSE(SamePersistent(&a, &dic)); // another class
    CopyPersistent(dic, a);                 // does nothing across classes
    EXPECT_EQ(dic.GetDisplayName(), "");
}

// Two processes change one settings object: each side's change survives the other's save,
// however deep; a value both changed takes the later save's.
TEST(Persistent, MergeKeepsTheOtherSidesChanges) {
    TSettings base;
    FillLangs(base.Langs);
    TSettings mine, stored;
    CopyPersistent(mine, base);
    CopyPersistent(stored, base);
    mine.Font.Size = 14;                               // only here
    mine.Langs.GetItem(1).MorphAnalysisEnabled = true; // only here, in a list
    stored.Spell = true;                               // only there
    stored.Langs.GetItem(0).DicViewConfigList.GetItem(0).KeepSourceFont = false; // there
    mine.Recent = {"mine.txt"}; // both: mine is later
    stored.Recent = {"theirs.txt"};
    MergePersistent(stored, base, mine);
    EXPECT_EQ(stored.Font.Size, 14);
    EXPECT_TRUE(stored.Langs.GetItem(1).MorphAnalysisEnabled);
    EXPECT_TRUE(stored.Spell);
    EXPECT_FALSE(stored.Langs.GetItem(0).DicViewConfigList.GetItem(0).KeepSourceFont);
    EXPECT_EQ(stored.Recent, std::vector<std::string>{"mine.txt"});

    // A list this side lengthened cannot be matched item by item: it is taken whole.
    mine.Langs.AddItem().SetDisplayName("009-009");
    MergePersistent(stored, base, mine);
    ASSERT_EQ(stored.Langs.GetItemCount(), 3);
    EXPECT_EQ(stored.Langs.GetItem(2).GetDisplayName(), "009-009");
    // A list only the other side changed in length keeps the other side's.
    TSettings untouched;
    CopyPersistent(untouched, base);
    TSettings longer;
    CopyPersistent(longer, mine);
    MergePersistent(longer, base, untouched);
    EXPECT_EQ(longer.Langs.GetItemCount(), 3);
}

TEST(Persistent, UnknownMalformedAndTruncatedEntriesAreSkipped) {
    std::vector<uint8_t> stream = {'Z', 'P', 'S', 1};
    Append(stream, Entry("Obsolete", 3, "from an older version"));
    Append(stream, Entry("SpellCheckerEnabled", 2, "Maybe")); // not an identifier
    Append(stream, Entry("Recent", 3, "wrong tag for a list"));
    Append(stream, Entry("DefaultTextFont", 5, [] {
               std::vector<uint8_t> font;
               Append(font, Entry("Size", 1, std::string("\x0c\0\0\0\0\0\0\0", 8)));
               Append(font, Entry("Name", 1, "not a number")); // wrong tag
               Append(font, Entry("Style", 4,
                                  std::string("\x08"
                                              "fsItalic")));
               font.push_back(0);
               return std::string(font.begin(), font.end());
           }()));
    // The last entry claims more bytes than the stream holds.
    std::vector<uint8_t> cut = Entry("SpellCheckerEnabled", 2, "True");
    cut.resize(cut.size() - 2);
    Append(stream, cut);

    TSettings loaded;
    loaded.Recent = {"kept"};
    ZelReadPersistent(stream, loaded);
    EXPECT_EQ(loaded.Font.Size, 12);
    EXPECT_EQ(loaded.Font.Name, "Arial");
    EXPECT_EQ(loaded.Font.Style, 2u);
    EXPECT_FALSE(loaded.Spell);
    EXPECT_EQ(loaded.Recent, (std::vector<std::string>{"kept"}));

    // A value that is not a stream, or not binary, keeps the defaults.
    TSettings untouched;
    ZelReadPersistent({1, 2, 3}, untouched);
    EXPECT_EQ(untouched.Font.Size, 10);
}

TEST(Persistent, LargeValuesLoad) {
    TTempHives hives;
    TSettings saved;
    for (int i = 0; i < 400; ++i)
        saved.Recent.push_back("/home/user/Documents/letter number " + std::to_string(i) + ".rtf");
    auto key = ZelSettings().OpenKey(TZelHive::CurrentUser, "Software\\VRD\\NV\\1.0", true);
    SavePersistent(*key, "Config", saved);
    EXPECT_GT(key->ReadBinary("Config")->size(), 4096u);
    TSettings loaded;
    LoadPersistent(*key, "Config", loaded);
    EXPECT_TRUE(SamePersistent(&saved, &loaded));

    key->WriteString("Text", "not binary");
    TSettings defaults;
    LoadPersistent(*key, "Text", defaults);
    EXPECT_TRUE(defaults.Recent.empty());
}

TEST(Persistent, UnsupportedKindsAreUnexpected) {
    class TOdd : public TZelPersistent {
    public:
        const std::vector<TZelPropInfo>& GetProperties() const override {
            static const std::vector<TZelPropInfo> props = {[] {
                TZelPropInfo p;
                p.Name = "Method";
                return p;
            }()};
            return props;
        }
    } a, b;
    EXPECT_THROW_MSG(CopyPersistent(a, b), EZelError, "Unexpected type");
    EXPECT_THROW_MSG(SamePersistent(&a, &b), EZelError, "Unexpected type");
    EXPECT_THROW_MSG(ZelWritePersistent(a), EZelError, "Unexpected type");
}
