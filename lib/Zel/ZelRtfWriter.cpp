#include "ZelRtfWriter.h"

#include "ZelCodePage.h"
#include "ZelRichEdit.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QTextBlock>
#include <QTextDocument>

#include <cmath>
#include <vector>

namespace {

int PixelsToTwips(double pixels) {
    QScreen* screen = QGuiApplication::primaryScreen();
    double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    return int(std::lround(pixels * 1440.0 / dpi));
}

class TWriter {
public:
    TWriter(const QTextDocument& document, int codePage) : Document(document), CodePage(codePage) {}

    std::string Write() {
        std::string body;
        bool first = true;
        for (QTextBlock block = Document.begin(); block.isValid(); block = block.next()) {
            if (!first)
                body += "\\par\n";
            if (first || block.blockFormat() != block.previous().blockFormat())
                body += ParagraphFormat(block.blockFormat());
            first = false;
            for (auto it = block.begin(); !it.atEnd(); ++it)
                body += Run(it.fragment());
        }
        std::string header = "{\\rtf1\\ansi\\ansicpg" + std::to_string(CodePage) + "\\deff0\\uc1";
        header += "{\\fonttbl";
        for (size_t i = 0; i < Fonts.size(); ++i)
            header += "{\\f" + std::to_string(i) + "\\fnil " + Escape(Fonts[i]) + ";}";
        header += "}{\\colortbl;";
        for (const QColor& color : Colors)
            header += "\\red" + std::to_string(color.red()) + "\\green" +
                      std::to_string(color.green()) + "\\blue" + std::to_string(color.blue()) + ";";
        header += "}\n";
        return header + body + "}\n";
    }

private:
    std::string ParagraphFormat(const QTextBlockFormat& format) {
        std::string out = "\\pard";
        Qt::Alignment align = format.alignment() & Qt::AlignHorizontal_Mask;
        if (align & Qt::AlignRight)
            out += "\\qr";
        else if (align & Qt::AlignHCenter)
            out += "\\qc";
        else if (align & Qt::AlignJustify)
            out += "\\qj";
        auto length = [&](const char* word, double pixels) {
            if (int twips = PixelsToTwips(pixels)) {
                out += '\\';
                out += word;
                out += std::to_string(twips);
            }
        };
        length("li", format.leftMargin());
        length("ri", format.rightMargin());
        length("fi", format.textIndent());
        length("sb", format.topMargin());
        length("sa", format.bottomMargin());
        return out + " ";
    }

    std::string Run(const QTextFragment& fragment) {
        QTextCharFormat format = fragment.charFormat();
        std::string out = "{";
        out += CharacterFormat(format);
        out += ' ';
        if (format.isImageFormat()) {
            for (int i = 0; i < fragment.length(); ++i)
                out += Picture(format.toImageFormat());
        } else if (format.objectType() == QTextFormat::NoObject) {
            out += Text(fragment.text());
        }
        return out + "}";
    }

    std::string CharacterFormat(const QTextCharFormat& format) {
        QStringList families = format.fontFamilies().toStringList();
        QString family = families.isEmpty() ? Document.defaultFont().family() : families.front();
        std::string out = "\\f" + std::to_string(FontNumber(family));
        double points = format.hasProperty(ZelNaturalSizeProperty)
                            ? format.doubleProperty(ZelNaturalSizeProperty)
                            : format.fontPointSize();
        if (points <= 0)
            points = Document.defaultFont().pointSizeF();
        out += "\\fs" + std::to_string(std::lround(points * 2));
        if (format.fontWeight() >= QFont::Bold)
            out += "\\b";
        if (format.fontItalic())
            out += "\\i";
        if (format.fontUnderline())
            out += "\\ul";
        if (format.fontStrikeOut())
            out += "\\strike";
        if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript)
            out += "\\super";
        else if (format.verticalAlignment() == QTextCharFormat::AlignSubScript)
            out += "\\sub";
        if (format.hasProperty(QTextFormat::ForegroundBrush))
            out += "\\cf" + std::to_string(ColorNumber(format.foreground().color()));
        if (format.hasProperty(QTextFormat::BackgroundBrush))
            out += "\\highlight" + std::to_string(ColorNumber(format.background().color()));
        if (int language = format.intProperty(ZelLanguageProperty))
            out += "\\lang" + std::to_string(language);
        return out;
    }

    std::string Text(const QString& text) {
        std::string out;
        std::u16string units = text.toStdU16String();
        for (char16_t c : units) {
            if (c == u'\\' || c == u'{' || c == u'}') {
                out += '\\';
                out += char(c);
            } else if (c == QChar::LineSeparator) {
                out += "\\line ";
            } else if (c == u'\t') {
                out += "\\tab ";
            } else if (c >= 0x20 && c < 0x7F) {
                out += char(c);
            } else {
                out += Escaped(c);
            }
        }
        return out;
    }

    // A character beyond ASCII: "\'hh" when the code page holds it, else "\uN?".
    std::string Escaped(char16_t c) {
        std::string bytes;
        if (ZelTryWideToCodePage(std::u16string_view(&c, 1), CodePage, bytes) &&
            bytes.size() == 1) {
            static const char digits[] = "0123456789abcdef";
            auto byte = uint8_t(bytes[0]);
            std::string escape = "\\'";
            escape += digits[byte >> 4];
            escape += digits[byte & 15];
            return escape;
        }
        return "\\u" + std::to_string(int16_t(c)) + "?";
    }

    std::string Escape(const QString& name) {
        std::string out = Text(name);
        for (char& c : out)
            if (c == ';')
                c = ' ';
        return out;
    }

    std::string Picture(const QTextImageFormat& format) {
        QImage image =
            Document.resource(QTextDocument::ImageResource, QUrl(format.name())).value<QImage>();
        if (image.isNull())
            image = QImage(1, 1, QImage::Format_RGB32), image.fill(Qt::white);
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        double width = format.width() > 0 ? format.width() : image.width();
        double height = format.height() > 0 ? format.height() : image.height();
        std::string out = "{\\pict\\pngblip\\picw" + std::to_string(image.width()) + "\\pich" +
                          std::to_string(image.height()) + "\\picwgoal" +
                          std::to_string(PixelsToTwips(width)) + "\\pichgoal" +
                          std::to_string(PixelsToTwips(height)) + "\n";
        static const char digits[] = "0123456789abcdef";
        for (int i = 0; i < png.size(); ++i) {
            auto byte = uint8_t(png[i]);
            out += digits[byte >> 4];
            out += digits[byte & 15];
            if (i % 64 == 63)
                out += '\n';
        }
        return out + "}";
    }

    int FontNumber(const QString& family) {
        for (size_t i = 0; i < Fonts.size(); ++i)
            if (Fonts[i] == family)
                return int(i);
        Fonts.push_back(family);
        return int(Fonts.size() - 1);
    }

    int ColorNumber(const QColor& color) {
        for (size_t i = 0; i < Colors.size(); ++i)
            if (Colors[i].rgb() == color.rgb())
                return int(i + 1);
        Colors.push_back(color);
        return int(Colors.size());
    }

    const QTextDocument& Document;
    int CodePage;
    std::vector<QString> Fonts;
    std::vector<QColor> Colors;
};

} // namespace

std::string ZelWriteRtf(const QTextDocument& document, int codePage) {
    return TWriter(document, codePage).Write();
}
