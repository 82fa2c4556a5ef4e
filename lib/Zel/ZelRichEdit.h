// The rich-text control of the views and the language window: a QTextEdit whose
// document is filled from RTF through the engine's one reader, so that positions in it are
// the positions the reader counts (every text unit, paragraph break, line break, picture
// and embedded object is one character). It offers what the views ask of it: the character
// at a point and the point of a character, the text of a range, the colour and language of
// a range, a selection that can be hidden, a zoom that scales the text, and objects
// (pictures, boxes) embedded in the text.
#pragma once

#include "ZelRtfReader.h"

#include <QTextCursor>
#include <QTextEdit>
#include <QTextFormat>

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>

// Properties the control keeps on the characters of its document.
enum : int {
    ZelLanguageProperty = QTextFormat::UserProperty + 1,    // \langN of the text, an int
    ZelNaturalSizeProperty = QTextFormat::UserProperty + 2, // point size before the zoom
    ZelObjectIdProperty = QTextFormat::UserProperty + 3,    // the embedded object's number
};
// The character format type of an embedded object.
constexpr int ZelObjectType = QTextFormat::UserObject + 1;

// An object embedded in the text (a box of the analysis views): it takes one character
// and draws itself in the rectangle the layout gives it.
class TZelTextObject {
public:
    virtual ~TZelTextObject() = default;
    // The size at the given zoom (1.0: natural size).
    virtual QSizeF Size(double zoom) const = 0;
    virtual void Paint(QPainter& painter, const QRectF& rect, double zoom) const = 0;
    // What the object stands for in copied or saved text.
    virtual QString Text() const { return {}; }
};

class TZelObjectHandler;

class TZelRichEdit : public QTextEdit {
    Q_OBJECT
public:
    explicit TZelRichEdit(QWidget* parent = nullptr);
    ~TZelRichEdit() override;

    // Empties the document and forgets its objects.
    void Clear();

    // Text font size ÷ 10: numerator 12, denominator 10 shows the text at 120 %. The text
    // already there is scaled anew; pictures keep their natural size.
    void SetZoom(int numerator, int denominator);
    double Zoom() const { return ZoomFactor; }
    int ZoomNumerator() const { return Numerator; }
    int ZoomDenominator() const { return Denominator; }

    // Reads rtf (bytes in codePage unless it says otherwise) into the document at the
    // caret and leaves the caret after it; custom tags go to onCustomTag with the position
    // they stand at. Returns the number of characters inserted.
    using TCustomTagHandler = std::function<void(
        const std::string& name, const std::vector<std::string>& parameters, int position)>;
    int InsertRtf(const std::string& rtf, int codePage, const TCustomTagHandler& onCustomTag = {});
    // Embeds an object at the caret (one character).
    void InsertObject(std::unique_ptr<TZelTextObject> object);
    // Embeds a picture at the caret at its natural size (one character).
    void InsertPicture(const QImage& image);
    // Replaces the character at position by the picture.
    void ReplaceWithPicture(int position, const QImage& image);
    const TZelTextObject* ObjectAt(int position) const;

    // The number of characters of the document (without the end of its last paragraph).
    int CharacterCount() const;
    int CaretPosition() const;
    void SetCaretPosition(int position);
    QChar CharacterAt(int position) const;
    // The character under a point of the viewport, -1 when the point is on none.
    int CharacterAtPoint(const QPoint& point) const;
    // The top left corner of a character, in viewport coordinates.
    QPoint PointOfCharacter(int position) const;
    // The text of [start, end): paragraph breaks as U+2029, objects as U+FFFC.
    QString TextOfRange(int start, int end) const;
    void SetSelection(int start, int end);
    // The text colour of the character at start, and setting it on a range (the document
    // keeps no undo record of it).
    QColor TextColor(int position) const;
    void SetTextColor(int start, int end, const QColor& color);
    // The \langN of the character at a position, 0 when none.
    int LanguageAt(int position) const;
    // The selected text, paragraph breaks as U+2029 (hidden or not).
    QString SelectedText() const;
    // A hidden selection is kept but not shown; showing it again selects it.
    void SetSelectionHidden(bool hidden);
    bool IsSelectionHidden() const { return SelectionHidden; }

private:
    friend class TZelObjectHandler;
    int AddObject(std::unique_ptr<TZelTextObject> object);
    void InsertImage(QTextCursor& cursor, const QImage& image, const QSizeF& size);

    TZelObjectHandler* Handler;
    std::unordered_map<int, std::unique_ptr<TZelTextObject>> Objects;
    int NextObjectId = 1;
    int NextPictureId = 1;
    int Numerator = 10, Denominator = 10;
    double ZoomFactor = 1.0;
    bool SelectionHidden = false;
    QTextCursor HiddenSelection;
};
