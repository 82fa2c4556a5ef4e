// Writes what the RTF reader reports into a QTextDocument at a cursor: text runs with their
// fonts, sizes (scaled by the zoom), styles, colours and \langN, paragraphs with their
// alignment and indents, line breaks, and pictures. Every character the reader reports
// becomes exactly one character of the document, so the document's positions are the
// reader's count.
#pragma once

#include "ZelRtfReader.h"

#include <QFont>
#include <QImage>
#include <QTextCharFormat>
#include <QTextCursor>

#include <functional>
#include <map>
#include <vector>

class TZelQtRtfSink : public IZelRtfSink {
public:
    // Pictures are handed to insertPicture (which inserts one character shown at size);
    // without it they become an empty placeholder of their size.
    using TPictureInserter =
        std::function<void(QTextCursor& cursor, const QImage& image, const QSizeF& size)>;

    TZelQtRtfSink(QTextCursor& cursor, double zoom, const QFont& baseFont,
                  TPictureInserter insertPicture = {});

    void FontTable(const std::vector<TZelRtfFont>& fonts, int32_t defaultFont) override;
    void ColorTable(const std::vector<TZelRtfColor>& colors) override;
    void Text(const std::u16string& text, const TZelRtfFormat& format) override;
    void ParagraphBreak() override;
    void LineBreak() override;
    void Paragraph(const TZelRtfParagraph& format) override;
    void Picture(const TZelRtfPicture& picture, const TZelRtfFormat& format) override;

    // Custom tags go here with the position they stand at.
    std::function<void(const std::string&, const std::vector<std::string>&, int)> OnCustomTag;
    void CustomTag(const std::string& name, const std::vector<std::string>& parameters) override;

    // The characters inserted so far.
    int Inserted() const { return Count; }

private:
    const QTextCharFormat& CharFormat(const TZelRtfFormat& format);

    QTextCursor& Cursor;
    double Zoom;
    QFont BaseFont;
    TPictureInserter InsertPicture;
    int Start;
    int Count = 0;
    std::vector<TZelRtfFont> Fonts;
    int32_t DefaultFont = 0;
    std::vector<TZelRtfColor> Colors;
    std::vector<std::pair<TZelRtfFormat, QTextCharFormat>> Formats; // a small cache
    QTextCharFormat Last;
};

// The image of an RTF picture and the size it asks to be shown at (goal size and scale, at
// the screen's resolution); a picture Qt cannot decode becomes a light grey box.
struct TZelPictureImage {
    QImage Image;
    QSizeF Size;
};
TZelPictureImage ZelRtfPictureImage(const TZelRtfPicture& picture);
