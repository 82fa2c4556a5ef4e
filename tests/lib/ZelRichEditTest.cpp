// The window library: the rich-text control (RTF written by the writer reads back the same,
// the zoom, the positions, colours, languages and selection the views read from it), the
// gradients and the shadowed hint.
#include "ZelRichEdit.h"
#include "ZelGradient.h"
#include "ZelRtfWriter.h"
#include "ZelShadowHint.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QTextBlock>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace {

// Every character of a document with its format, one line each: the character, then the
// family, size, styles, colours, language, and its paragraph's alignment and indent.
std::string Describe(const QTextDocument& document) {
    std::string out;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QTextBlockFormat paragraph = block.blockFormat();
        out += "paragraph align=" + std::to_string(int(paragraph.alignment())) +
               " left=" + std::to_string(qRound(paragraph.leftMargin())) +
               " first=" + std::to_string(qRound(paragraph.textIndent())) + "\n";
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            QTextFragment fragment = it.fragment();
            QTextCharFormat f = fragment.charFormat();
            QString text = f.isImageFormat() ? QString("<picture %1x%2>")
                                                   .arg(f.toImageFormat().width())
                                                   .arg(f.toImageFormat().height())
                                             : fragment.text();
            out += "  '" + text.toStdString() + "' " +
                   f.fontFamilies().toStringList().join(",").toStdString() + " " +
                   std::to_string(f.doubleProperty(ZelNaturalSizeProperty)) +
                   (f.fontWeight() >= QFont::Bold ? " b" : "") + (f.fontItalic() ? " i" : "") +
                   (f.fontUnderline() ? " u" : "") + (f.fontStrikeOut() ? " s" : "") +
                   " va=" + std::to_string(int(f.verticalAlignment())) +
                   (f.hasProperty(QTextFormat::ForegroundBrush)
                        ? " fg=" + f.foreground().color().name().toStdString()
                        : "") +
                   (f.hasProperty(QTextFormat::BackgroundBrush)
                        ? " bg=" + f.background().color().name().toStdString()
                        : "") +
                   " lang=" + std::to_string(f.intProperty(ZelLanguageProperty)) + "\n";
        }
    }
    return out;
}

std::string PngHex() {
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png.toHex().toStdString();
}

// A document from another program, with some of everything.
std::string Sample() {
    return "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\froman Times New Roman;}"
           "{\\f1\\fswiss Arial;}{\\f2\\fmodern\\fcharset204 Courier New;}}"
           "{\\colortbl;\\red0\\green0\\blue160;\\red255\\green255\\blue0;}"
           "{\\*\\generator Other 1.0;}{\\info{\\title A letter}}"
           "\\pard\\qc\\li720\\fi-360 {\\b\\fs32 Titolo}\\par\\pard "
           "{\\f1\\fs22 Citt\\'e0 {\\i corsivo}, {\\ul sottolineato}, {\\strike barrato}, "
           "x{\\super 2} H{\\sub 2}O\\tab {\\cf1 blu} {\\highlight2 evidenziato} "
           "{\\lang1040 italiano} \\u8364? \\u-10179?\\u-8704?\\line nuova riga}\\par "
           "{\\f2\\'c4\\'e0} {\\pict\\pngblip\\picw4\\pich3 " +
           PngHex() + "}\\par\\qr destra\\par}";
}

} // namespace

TEST(RichEdit, WritesRtfThatReadsBackUnchanged) {
    TZelRichEdit original;
    int inserted = original.InsertRtf(Sample(), 1252);
    EXPECT_EQ(inserted, original.CharacterCount());
    std::string first = ZelWriteRtf(*original.document());
    TZelRichEdit copy;
    copy.InsertRtf(first, 1252);
    EXPECT_EQ(copy.toPlainText(), original.toPlainText());
    EXPECT_EQ(Describe(*copy.document()), Describe(*original.document()));
    // Written again, the copy gives the very same RTF.
    EXPECT_EQ(ZelWriteRtf(*copy.document()), first);
    // What the sample holds came through.
    std::string described = Describe(*original.document());
    for (const char* expected :
         {"'Titolo' Times New Roman 16.000000 b", "'corsivo' Arial 11.000000 i", "fg=#0000a0",
          "bg=#ffff00", "'italiano' Arial 11.000000 va=0 lang=1040", "'Да' Courier New",
          "<picture 4x3>", "paragraph align=4 left=48 first=-24"})
        EXPECT_NE(described.find(expected), std::string::npos) << expected << "\n" << described;
    EXPECT_TRUE(original.toPlainText().contains(QString::fromUtf8("Città")));
    EXPECT_TRUE(original.TextOfRange(0, original.CharacterCount())
                    .contains(QString::fromUtf8("€ 😀\u2028nuova riga")));
}

TEST(RichEdit, ZoomScalesTextNotItsNaturalSize) {
    TZelRichEdit edit;
    edit.SetZoom(12, 10);
    edit.InsertRtf("{\\rtf1 {\\fs24 a}{\\fs40 b}}", 1252);
    auto sizeAt = [&](int position) {
        QTextCursor cursor(edit.document());
        cursor.setPosition(position + 1);
        return cursor.charFormat().fontPointSize();
    };
    EXPECT_DOUBLE_EQ(sizeAt(0), 14.4);
    EXPECT_DOUBLE_EQ(sizeAt(1), 24.0);
    edit.SetZoom(10, 10);
    EXPECT_DOUBLE_EQ(sizeAt(0), 12.0);
    EXPECT_DOUBLE_EQ(sizeAt(1), 20.0);
    EXPECT_NE(ZelWriteRtf(*edit.document()).find("\\fs24"), std::string::npos);
}

TEST(RichEdit, AnswersForPositionsColoursLanguagesAndSelection) {
    TZelRichEdit edit;
    edit.resize(400, 200);
    edit.show();
    edit.InsertRtf("{\\rtf1 {\\lang1040 casa} {\\lang1033 house}\\par seconda}", 1252);
    // The character under a point is the one whose box holds it, left half or right.
    for (int position : {0, 3, 5, 9, 11}) {
        QRect box = edit.cursorRect([&] {
            QTextCursor c(edit.document());
            c.setPosition(position);
            return c;
        }());
        QTextCursor next(edit.document());
        next.setPosition(position + 1);
        int right = edit.cursorRect(next).left();
        int y = box.center().y();
        EXPECT_EQ(edit.CharacterAtPoint(QPoint(box.left() + 1, y)), position);
        EXPECT_EQ(edit.CharacterAtPoint(QPoint(right - 1, y)), position);
        EXPECT_EQ(edit.PointOfCharacter(position), box.topLeft());
    }
    EXPECT_EQ(edit.CharacterAtPoint(QPoint(390, edit.PointOfCharacter(0).y() + 2)), -1);
    EXPECT_EQ(edit.CharacterAtPoint(QPoint(5, 190)), -1);
    EXPECT_EQ(edit.LanguageAt(1), 1040);
    EXPECT_EQ(edit.LanguageAt(6), 1033);
    EXPECT_EQ(edit.LanguageAt(4), 0);
    EXPECT_EQ(edit.TextOfRange(5, 13), QString("house") + QChar::ParagraphSeparator + "se");
    QColor before = edit.TextColor(5);
    edit.SetTextColor(5, 10, Qt::red);
    EXPECT_EQ(edit.TextColor(7), QColor(Qt::red));
    edit.SetTextColor(5, 10, before);
    EXPECT_EQ(edit.TextColor(7), before);
    // A hidden selection is kept, not shown; shown again it is selected.
    edit.SetSelectionHidden(true);
    edit.SetSelection(0, 4);
    EXPECT_FALSE(edit.textCursor().hasSelection());
    EXPECT_EQ(edit.SelectedText(), "casa");
    edit.SetSelectionHidden(false);
    EXPECT_EQ(edit.textCursor().selectedText(), "casa");
    EXPECT_EQ(edit.CharacterAt(4), QChar(' '));
    EXPECT_EQ(edit.CharacterAt(99), QChar());
}

TEST(Gradient, PaintsBandsOrOneColour) {
    QImage image(256, 4, QImage::Format_RGB32);
    QPainter painter(&image);
    ZelPaintGradient(painter, image.rect(), Qt::black, Qt::white, Qt::Horizontal, 128, false);
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(255, 3), QColor(Qt::white));
    int previous = -1, bands = 0;
    for (int x = 0; x < 256; ++x) {
        int red = image.pixelColor(x, 0).red();
        EXPECT_GE(red, previous);
        bands += red != previous;
        previous = red;
    }
    EXPECT_EQ(bands, 128);
    ZelPaintGradient(painter, image.rect(), Qt::blue, Qt::white, Qt::Vertical, 128, true);
    EXPECT_EQ(image.pixelColor(200, 3), QColor(Qt::blue));
}

TEST(ShadowHint, FitsItsTextAndTheScreen) {
    TZelShadowHint hint;
    QSize small = hint.SizeFor("s.");
    QSize wide = hint.SizeFor(QString(2000, 'x'));
    EXPECT_GT(small.width(), hint.fontMetrics().horizontalAdvance("s."));
    EXPECT_LE(wide.width(), hint.screen()->availableGeometry().width());
    hint.ShowAt("sostantivo", QPoint(10, 10));
    EXPECT_TRUE(hint.isVisible());
    EXPECT_EQ(hint.Text(), "sostantivo");
}
