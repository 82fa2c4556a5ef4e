#include "ZelQtRtfSink.h"

#include "ZelQtText.h"
#include "ZelRichEdit.h"

#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QTextBlockFormat>

#include <algorithm>

namespace {

constexpr double TwipsPerInch = 1440.0;

double ScreenDpi() {
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInch() : 96.0;
}

double TwipsToPixels(int32_t twips) {
    return twips * ScreenDpi() / TwipsPerInch;
}

QFont::StyleHint StyleHintOf(TZelRtfFontFamily family) {
    switch (family) {
    case TZelRtfFontFamily::Roman:
        return QFont::Serif;
    case TZelRtfFontFamily::Swiss:
        return QFont::SansSerif;
    case TZelRtfFontFamily::Modern:
        return QFont::Monospace;
    case TZelRtfFontFamily::Script:
        return QFont::Cursive;
    case TZelRtfFontFamily::Decor:
        return QFont::Decorative;
    default:
        return QFont::AnyStyle;
    }
}

QColor ColorOf(const TZelRtfColor& color) {
    return QColor(color.Red, color.Green, color.Blue);
}

} // namespace

TZelQtRtfSink::TZelQtRtfSink(QTextCursor& cursor, double zoom, const QFont& baseFont,
                             TPictureInserter insertPicture)
    : Cursor(cursor), Zoom(zoom), BaseFont(baseFont), InsertPicture(std::move(insertPicture)),
      Start(cursor.position()) {}

void TZelQtRtfSink::FontTable(const std::vector<TZelRtfFont>& fonts, int32_t defaultFont) {
    Fonts = fonts;
    DefaultFont = defaultFont;
    Formats.clear();
}

void TZelQtRtfSink::ColorTable(const std::vector<TZelRtfColor>& colors) {
    Colors = colors;
    Formats.clear();
}

const QTextCharFormat& TZelQtRtfSink::CharFormat(const TZelRtfFormat& format) {
    for (const auto& [key, value] : Formats)
        if (key == format)
            return value;
    QTextCharFormat result;
    int32_t number = format.Font >= 0 ? format.Font : DefaultFont;
    auto font = std::find_if(Fonts.begin(), Fonts.end(),
                             [&](const TZelRtfFont& f) { return f.Number == number; });
    if (font != Fonts.end()) {
        result.setFontFamilies(QStringList{QString::fromStdString(font->Name)});
        result.setFontStyleHint(StyleHintOf(font->Family));
    } else {
        result.setFontFamilies(QStringList{BaseFont.family()});
    }
    double points = format.FontSize / 2.0;
    result.setFontPointSize(points * Zoom);
    result.setProperty(ZelNaturalSizeProperty, points);
    result.setFontWeight(format.Bold ? QFont::Bold : QFont::Normal);
    result.setFontItalic(format.Italic);
    result.setFontUnderline(format.Underline);
    result.setFontStrikeOut(format.Strike);
    if (format.Script != 0)
        result.setVerticalAlignment(format.Script > 0 ? QTextCharFormat::AlignSuperScript
                                                      : QTextCharFormat::AlignSubScript);
    if (format.Color > 0 && size_t(format.Color) < Colors.size())
        result.setForeground(ColorOf(Colors[size_t(format.Color)]));
    if (format.Highlight > 0 && size_t(format.Highlight) < Colors.size())
        result.setBackground(ColorOf(Colors[size_t(format.Highlight)]));
    if (format.Language != 0)
        result.setProperty(ZelLanguageProperty, format.Language);
    if (Formats.size() >= 64)
        Formats.clear();
    Formats.emplace_back(format, result);
    return Formats.back().second;
}

void TZelQtRtfSink::Text(const std::u16string& text, const TZelRtfFormat& format) {
    Last = CharFormat(format);
    // QTextCursor turns "\n" and U+2029 into paragraph breaks, one character each as well.
    Cursor.insertText(ZelQString(text), Last);
    Count += int(text.size());
}

void TZelQtRtfSink::ParagraphBreak() {
    Cursor.insertBlock(Cursor.blockFormat(), Last);
    ++Count;
}

void TZelQtRtfSink::LineBreak() {
    Cursor.insertText(QString(QChar::LineSeparator), Last);
    ++Count;
}

void TZelQtRtfSink::Paragraph(const TZelRtfParagraph& format) {
    QTextBlockFormat block = Cursor.blockFormat();
    switch (format.Align) {
    case TZelRtfAlign::Left:
        block.setAlignment(Qt::AlignLeft);
        break;
    case TZelRtfAlign::Right:
        block.setAlignment(Qt::AlignRight);
        break;
    case TZelRtfAlign::Center:
        block.setAlignment(Qt::AlignHCenter);
        break;
    case TZelRtfAlign::Justify:
        block.setAlignment(Qt::AlignJustify);
        break;
    }
    block.setLeftMargin(TwipsToPixels(format.LeftIndent));
    block.setRightMargin(TwipsToPixels(format.RightIndent));
    block.setTextIndent(TwipsToPixels(format.FirstIndent));
    block.setTopMargin(TwipsToPixels(format.SpaceBefore));
    block.setBottomMargin(TwipsToPixels(format.SpaceAfter));
    Cursor.setBlockFormat(block);
}

void TZelQtRtfSink::Picture(const TZelRtfPicture& picture, const TZelRtfFormat& format) {
    TZelPictureImage image = ZelRtfPictureImage(picture);
    Cursor.setCharFormat(CharFormat(format));
    if (InsertPicture) {
        InsertPicture(Cursor, image.Image, image.Size);
    } else {
        QTextImageFormat placeholder;
        placeholder.setWidth(image.Size.width());
        placeholder.setHeight(image.Size.height());
        Cursor.insertImage(placeholder);
    }
    ++Count;
}

void TZelQtRtfSink::CustomTag(const std::string& name, const std::vector<std::string>& parameters) {
    if (OnCustomTag)
        OnCustomTag(name, parameters, Start + Count);
}

TZelPictureImage ZelRtfPictureImage(const TZelRtfPicture& picture) {
    TZelPictureImage result;
    if (picture.Type != TZelRtfPictureType::Other)
        result.Image.loadFromData(reinterpret_cast<const uchar*>(picture.Data.data()),
                                  int(std::min<size_t>(picture.Data.size(), INT32_MAX)),
                                  picture.Type == TZelRtfPictureType::Png ? "PNG" : "JPEG");
    bool decoded = !result.Image.isNull();
    double width = picture.GoalWidth > 0 ? TwipsToPixels(picture.GoalWidth)
                   : decoded             ? result.Image.width()
                                         : picture.Width;
    double height = picture.GoalHeight > 0 ? TwipsToPixels(picture.GoalHeight)
                    : decoded              ? result.Image.height()
                                           : picture.Height;
    // Never empty, never wider or higher than a big screen.
    result.Size = QSizeF(std::clamp(width * picture.ScaleX / 100.0, 1.0, 4096.0),
                         std::clamp(height * picture.ScaleY / 100.0, 1.0, 4096.0));
    if (!decoded) {
        // A picture that cannot be shown keeps its place as a light grey box.
        result.Image = QImage(1, 1, QImage::Format_RGB32);
        result.Image.fill(QColor(230, 230, 230));
    }
    return result;
}
