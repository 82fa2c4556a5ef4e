// The rich view against the real control: what its counting says of every kind of
// fragment, the custom tags and the caret check, the word around a position, the captions
// of token boxes, and the word-forms view.
#include "ZelDM4Compiler.h"
#include "ZelDicRichViewUnit.h"
#include "ZelDicViewFlexUnit.h"
#include "ZelErrors.h"
#include "ZelTestSupport.h"
#include "ZelWindowTestItems.h"

#include <QBuffer>
#include <QImage>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace {

struct TTag {
    std::string Name;
    std::vector<std::string> Parameters;
    int Position;
    bool operator==(const TTag&) const = default;
};

// A rich view that records its custom tags; it can also fail on a tag, or put a character
// into the page behind the counting's back.
class TRecordingView : public TZelDicRichViewForm {
public:
    TRecordingView() : TZelDicRichViewForm("TestRichView") {}
    void OnCustomTag(IZelDic*, const std::string& name, const std::vector<std::string>& parameters,
                     int position) override {
        if (name == "Fail")
            throw EZelError("bad tag");
        if (name == "Sneak")
            PageEdit()->insertPlainText("!");
        Tags.push_back({name, parameters, position});
    }
    using TZelDicRichViewForm::Flush;
    std::vector<TTag> Tags;
};

std::string PngHex() {
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png.toHex().toStdString();
}

// The characters one fragment adds to an empty page.
int Advance(const std::string& rtf) {
    TRecordingView view;
    view.BeginRender();
    view.AppendRtf(nullptr, rtf);
    int counted = view.Position();
    view.EndRender();
    EXPECT_EQ(view.PageEdit()->CharacterCount(), counted) << rtf;
    return counted;
}

} // namespace

TEST(DicRichView, CountsWhatTheControlHolds) {
    const std::vector<std::pair<std::string, int>> cases = {
        {"{\\rtf1{\\fonttbl{\\f0\\fswiss Arial;}}Hi\\par }", 3},
        {"{\\rtf1 a\\\\b\\{c\\}}", 6},
        {"{\\rtf1 caf\\'e9 \\'e8}", 6},
        {"{\\rtf1 \\u8364?x\\u-10179?\\u-8704?}", 4},
        {"{\\rtf1 a\\tab b\\line c\\par}", 6},
        {"{\\rtf1{\\colortbl;\\red0\\green0\\blue9;}{\\*\\generator x;}{\\info{\\title t}}ab}", 2},
        {"{\\rtf1 x{\\*\\customAbbr 3}abc y}", 6},
        {"{\\rtf1 a{\\pict\\pngblip\\picw3\\pich2 " + PngHex() + "}b}", 3},
        {"{\\rtf1 a{\\pict\\wmetafile8 0102}b}", 3}, // a picture Qt cannot read keeps its place
        {"{\\rtf1 \\'00\\u7 ?ok}", 2},
        // What Qt would take for byte-order marks are characters like any other.
        {"{\\rtf1 \\u-2?x}", 2},
        {"{\\rtf1 \\u-257?}", 1},
        {"{\\rtf1 unbalanced {\\b x", 12},
    };
    for (const auto& [rtf, expected] : cases)
        EXPECT_EQ(Advance(rtf), expected) << rtf;
}

TEST(DicRichView, PlainTextBoxesAndEntriesAddUp) {
    TRecordingView view;
    view.BeginRender();
    view.AppendText(u"x{y}\\ é\u20AC\x01");
    EXPECT_EQ(view.Position(), 8); // the control character is left out
    view.AppendParagraph();
    view.AppendTokenBox(*Reading(u"casa", u"case", 0, 2));
    EXPECT_EQ(view.Position(), 11); // a paragraph break before the box, the box
    view.AppendMorphInfo(*Reading(u"casa", u"case", 0, 2, "sostantivo femminile plurale"));
    view.AppendMorphInfo(*Reading(u"casa", u"case")); // no descriptions: nothing
    EXPECT_EQ(view.Position(), 13);
    view.AppendRtf(nullptr, "{\\rtf1 {\\*\\customRef 4}casa}");
    view.AppendRtf(nullptr, "{\\rtf1 \\par {\\*\\customSound 17, 1}*}");
    view.EndRender();
    EXPECT_EQ(view.Tags, (std::vector<TTag>{{"Ref", {"4"}, 13}, {"Sound", {"17", "1"}, 18}}));
    EXPECT_EQ(view.PageEdit()->CharacterCount(), 19);
    EXPECT_EQ(view.PageEdit()->TextOfRange(13, 17), "casa");
    EXPECT_NE(view.PageEdit()->ObjectAt(10), nullptr);
    EXPECT_EQ(view.PageEdit()->ObjectAt(10)->Text(), "case: casa [n]");
}

TEST(DicRichView, InsertsPicturesAtTheirNaturalSize) {
    TTempDir dir;
    QImage image(30, 20, QImage::Format_RGB32);
    image.fill(Qt::green);
    std::string path = dir.File("flag.png");
    ASSERT_TRUE(image.save(QString::fromStdString(path)));
    TRecordingView view;
    view.BeginRender();
    view.AppendText(u"a");
    view.InsertPicture(QString::fromStdString(path));
    EXPECT_EQ(view.Position(), 2);
    try {
        view.InsertPicture(QString::fromStdString(dir.File("missing.png")));
        FAIL() << "no error";
    } catch (const EZelError& e) {
        EXPECT_NE(std::string(e.what()).find("missing.png"), std::string::npos) << e.what();
    }
    view.AppendText(u"b");
    view.EndRender();
    EXPECT_EQ(view.PageEdit()->CharacterCount(), 3);
    QTextCursor cursor(view.PageEdit()->document());
    cursor.setPosition(2);
    QTextImageFormat picture = cursor.charFormat().toImageFormat();
    EXPECT_EQ(QSizeF(picture.width(), picture.height()), QSizeF(30, 20));
}

TEST(DicRichView, ATagThatFailsLeavesThePageAsItWas) {
    TRecordingView view;
    view.BeginRender();
    view.AppendRtf(nullptr, "{\\rtf1 ab}");
    EXPECT_THROW(view.AppendRtf(nullptr, "{\\rtf1 cd{\\*\\customFail x}ef}"), EZelError);
    EXPECT_EQ(view.Position(), 2);
    view.AppendText(u"!");
    view.EndRender();
    EXPECT_EQ(view.PageEdit()->toPlainText(), "ab!");
}

TEST(DicRichView, AControlThatDisagreesWithTheCountIsAnAssertion) {
    TRecordingView view;
    view.BeginRender();
    try {
        view.AppendRtf(nullptr, "{\\rtf1 ab{\\*\\customSneak}cd}");
        FAIL() << "no assertion";
    } catch (const EZelAssertion& e) {
        EXPECT_NE(std::string(e.what()).find("4 characters counted, the page holds 5"),
                  std::string::npos)
            << e.what();
    }
    view.EndRender();
}

TEST(DicRichView, FindsTheWordAroundAPosition) {
    TRecordingView view;
    view.BeginRender();
    //                0123456789012345678901234567890123
    view.AppendText(u"dell'uomo -ragno x-y, città 12ab ŝi");
    view.EndRender();
    struct TCase {
        int Position;
        int Start, End;
    };
    const std::vector<TCase> cases = {
        {0, 0, 9},    {4, 0, 9},    {9, 9, 9}, // a space: nothing
        {10, 11, 16}, {13, 11, 16},            // a hyphen that starts a word is not in it
        {17, 17, 20}, {20, 20, 20}, {24, 22, 27}, {28, 28, 28}, // digits are no letters
        {30, 30, 32}, {33, 33, 33},                             // ŝ is no letter of code page 1252
        {34, 34, 35}, {40, 40, 40},                             // beyond the text
    };
    for (const TCase& c : cases) {
        int start = -1, end = -1;
        view.WordAt(c.Position, start, end);
        EXPECT_EQ(std::make_pair(start, end), std::make_pair(c.Start, c.End)) << c.Position;
    }
    int start, end;
    EXPECT_THROW(view.WordAt(-1, start, end), EZelAssertion);
}

TEST(DicRichView, CaptionsTokenBoxes) {
    const std::vector<std::pair<ZelRef<IZelSentenceItem>, QString>> cases = {
        {Reading(u"casa", u"", 0, 2), "casa [n]"},
        {Reading(u"casa", u"case", 0, 2), "case: casa [n]"},
        {Reading(u"bank", u"banks", 2, 0), "banks: 2bank"},
        {Reading(u"", u"xyz"), "xyz: word not found"},
        {Reading(u"", u"12"), "12: number"},
        {Reading(u"", u","), ",: punctuation"},
        {Reading(u"", u"¿"), "¿: punctuation"},
        {Reading(u"", u"#"), "#: symbol"},
        {Reading(u"", u"%"), "%: symbol"},
        {Reading(u"", u"&"), "&: symbol"},
        {Reading(u"", u"@home"), "@home: symbol"},
        {Reading(u"", u"\u2023"), "\u2023: symbol"}, // punctuation, but its low byte is "#"'s
        {Reading(u"", u"€"), "€: symbol"},
    };
    for (const auto& [item, caption] : cases)
        EXPECT_EQ(ZelTokenBoxCaption(*item), caption) << caption.toStdString();
    EXPECT_THROW(ZelTokenBoxCaption(*Reading(u"", u"")), EZelAssertion);
}

TEST(DicViewFlex, ListsEveryFormOfTheReading) {
    TTempDir dir;
    ZelRef<IZelDicMorphEx> italian = ZelMake<TZelDM4>(
        "DM4KNVIT1", ZelCompileDM4(TestData("dm4/it-mini.tsv"), dir.File("out")).DescriptionPath);
    TZelDicViewFlexForm view;
    EXPECT_EQ(view.objectName(), "ZelDicViewFlexForm");
    EXPECT_EQ(view.windowTitle(), "Word Forms");
    view.SetMorphDicSource([&] { return italian; });
    ZelRef<IZelSentenceItem> analysis = italian->Analyze(u"sono");
    view.resize(400, 300);
    view.show();
    EXPECT_TRUE(view.SetLu(analysis.get()));
    QString text = view.PageEdit()->toPlainText();
    for (const char* line :
         {"\nessere: infinito\n", "\nsono: indicativo presente, 3a persona plurale\n",
          "\nsono: indicativo presente, 1a persona singolare\n",
          "\nè: indicativo presente, 3a persona singolare\n"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(line))) << line << "\n" << text.toStdString();
    EXPECT_TRUE(view.PageEdit()->isVisible());
    // No unit: nothing is shown.
    view.SetLu(nullptr);
    EXPECT_FALSE(view.CanShow(nullptr));
}
