#include "ZelRichEdit.h"

#include "ZelQtRtfSink.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextObjectInterface>

#include <vector>

// Lays out and draws the embedded objects of one control.
class TZelObjectHandler : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)
public:
    explicit TZelObjectHandler(TZelRichEdit& edit) : QObject(&edit), Edit(edit) {}

    QSizeF intrinsicSize(QTextDocument*, int, const QTextFormat& format) override {
        const TZelTextObject* object = Find(format);
        return object ? object->Size(Edit.Zoom()) : QSizeF(0, 0);
    }

    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument*, int,
                    const QTextFormat& format) override {
        if (const TZelTextObject* object = Find(format)) {
            painter->save();
            object->Paint(*painter, rect, Edit.Zoom());
            painter->restore();
        }
    }

    const TZelTextObject* Find(const QTextFormat& format) const {
        auto found = Edit.Objects.find(format.intProperty(ZelObjectIdProperty));
        return found == Edit.Objects.end() ? nullptr : found->second.get();
    }

private:
    TZelRichEdit& Edit;
};

#include "ZelRichEdit.moc"

TZelRichEdit::TZelRichEdit(QWidget* parent)
    : QTextEdit(parent), Handler(new TZelObjectHandler(*this)) {
    document()->setUndoRedoEnabled(false);
    document()->documentLayout()->registerHandler(ZelObjectType, Handler);
}

TZelRichEdit::~TZelRichEdit() = default;

void TZelRichEdit::Clear() {
    document()->clear();
    Objects.clear();
    HiddenSelection = QTextCursor();
    // Clearing may give the document a new layout; the objects' handler goes with it.
    document()->documentLayout()->registerHandler(ZelObjectType, Handler);
}

void TZelRichEdit::SetZoom(int numerator, int denominator) {
    if (numerator <= 0 || denominator <= 0 ||
        (numerator == Numerator && denominator == Denominator))
        return;
    double old = ZoomFactor;
    Numerator = numerator;
    Denominator = denominator;
    ZoomFactor = double(numerator) / denominator;
    // Fragments are collected first: changing a format while walking them would move them.
    struct TRun {
        int Start, End;
        double Natural;
    };
    std::vector<TRun> runs;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            QTextFragment fragment = it.fragment();
            QTextCharFormat format = fragment.charFormat();
            double natural = format.hasProperty(ZelNaturalSizeProperty)
                                 ? format.doubleProperty(ZelNaturalSizeProperty)
                                 : format.fontPointSize() / old;
            if (natural > 0)
                runs.push_back(
                    {fragment.position(), fragment.position() + fragment.length(), natural});
        }
    }
    QTextCursor cursor(document());
    for (const TRun& run : runs) {
        cursor.setPosition(run.Start);
        cursor.setPosition(run.End, QTextCursor::KeepAnchor);
        QTextCharFormat size;
        size.setFontPointSize(run.Natural * ZoomFactor);
        size.setProperty(ZelNaturalSizeProperty, run.Natural);
        cursor.mergeCharFormat(size);
    }
    // The objects take their new size.
    document()->markContentsDirty(0, document()->characterCount());
}

int TZelRichEdit::InsertRtf(const std::string& rtf, int codePage,
                            const TCustomTagHandler& onCustomTag) {
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    TZelQtRtfSink sink(cursor, ZoomFactor, font(),
                       [this](QTextCursor& at, const QImage& image, const QSizeF& size) {
                           InsertImage(at, image, size);
                       });
    sink.OnCustomTag = onCustomTag;
    ZelReadRtf(rtf, codePage, sink);
    cursor.endEditBlock();
    setTextCursor(cursor);
    return sink.Inserted();
}

int TZelRichEdit::AddObject(std::unique_ptr<TZelTextObject> object) {
    int id = NextObjectId++;
    Objects[id] = std::move(object);
    return id;
}

void TZelRichEdit::InsertObject(std::unique_ptr<TZelTextObject> object) {
    QTextCharFormat format;
    format.setObjectType(ZelObjectType);
    format.setProperty(ZelObjectIdProperty, AddObject(std::move(object)));
    QTextCursor cursor = textCursor();
    cursor.insertText(QString(QChar::ObjectReplacementCharacter), format);
    setTextCursor(cursor);
}

void TZelRichEdit::InsertImage(QTextCursor& cursor, const QImage& image, const QSizeF& size) {
    QString name = QStringLiteral("zel-picture:%1").arg(NextPictureId++);
    document()->addResource(QTextDocument::ImageResource, QUrl(name), image);
    QTextImageFormat format;
    format.setName(name);
    format.setWidth(size.width());
    format.setHeight(size.height());
    cursor.insertImage(format);
}

void TZelRichEdit::InsertPicture(const QImage& image) {
    QTextCursor cursor = textCursor();
    InsertImage(cursor, image, image.size());
    setTextCursor(cursor);
}

void TZelRichEdit::ReplaceWithPicture(int position, const QImage& image) {
    QTextCursor cursor(document());
    cursor.setPosition(position);
    cursor.setPosition(position + 1, QTextCursor::KeepAnchor);
    InsertImage(cursor, image, image.size());
}

const TZelTextObject* TZelRichEdit::ObjectAt(int position) const {
    QTextCursor cursor(document());
    cursor.setPosition(std::clamp(position + 1, 0, CharacterCount()));
    return Handler->Find(cursor.charFormat());
}

int TZelRichEdit::CharacterCount() const {
    return document()->characterCount() - 1;
}

int TZelRichEdit::CaretPosition() const {
    return textCursor().position();
}

void TZelRichEdit::SetCaretPosition(int position) {
    QTextCursor cursor = textCursor();
    cursor.setPosition(std::clamp(position, 0, CharacterCount()));
    setTextCursor(cursor);
}

QChar TZelRichEdit::CharacterAt(int position) const {
    if (position < 0 || position >= CharacterCount())
        return QChar();
    return document()->characterAt(position);
}

int TZelRichEdit::CharacterAtPoint(const QPoint& point) const {
    QPointF at(point.x() + horizontalScrollBar()->value(),
               point.y() + verticalScrollBar()->value());
    QAbstractTextDocumentLayout* layout = document()->documentLayout();
    int near = layout->hitTest(at, Qt::FuzzyHit);
    if (near < 0)
        return -1;
    QTextBlock block = document()->findBlock(near);
    QPointF origin = layout->blockBoundingRect(block).topLeft();
    QTextLayout* lines = block.layout();
    for (int i = 0; i < lines->lineCount(); ++i) {
        QTextLine line = lines->lineAt(i);
        QRectF text = line.naturalTextRect().translated(origin);
        if (at.y() < text.top() || at.y() >= text.bottom())
            continue;
        if (at.x() < text.left() || at.x() >= text.right())
            return -1;
        int inBlock = line.xToCursor(at.x() - origin.x(), QTextLine::CursorOnCharacter);
        int position = block.position() + inBlock;
        return position < CharacterCount() ? position : -1;
    }
    return -1;
}

QPoint TZelRichEdit::PointOfCharacter(int position) const {
    QTextCursor cursor(document());
    cursor.setPosition(std::clamp(position, 0, CharacterCount()));
    return cursorRect(cursor).topLeft();
}

QString TZelRichEdit::TextOfRange(int start, int end) const {
    int count = CharacterCount();
    start = std::clamp(start, 0, count);
    end = std::clamp(end, start, count);
    QTextCursor cursor(document());
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    return cursor.selectedText();
}

void TZelRichEdit::SetSelection(int start, int end) {
    int count = CharacterCount();
    QTextCursor cursor(document());
    cursor.setPosition(std::clamp(start, 0, count));
    cursor.setPosition(std::clamp(end, 0, count), QTextCursor::KeepAnchor);
    if (SelectionHidden) {
        HiddenSelection = cursor;
        cursor.clearSelection();
    }
    setTextCursor(cursor);
}

QString TZelRichEdit::SelectedText() const {
    return SelectionHidden ? HiddenSelection.selectedText() : textCursor().selectedText();
}

// The format of the character at a position is the cursor's after it.
static QTextCharFormat FormatAt(const QTextDocument& document, int position) {
    QTextCursor cursor(const_cast<QTextDocument*>(&document));
    cursor.setPosition(std::clamp(position + 1, 0, document.characterCount() - 1));
    return cursor.charFormat();
}

QColor TZelRichEdit::TextColor(int position) const {
    QTextCharFormat format = FormatAt(*document(), position);
    return format.hasProperty(QTextFormat::ForegroundBrush) ? format.foreground().color()
                                                            : palette().color(QPalette::Text);
}

void TZelRichEdit::SetTextColor(int start, int end, const QColor& color) {
    int count = CharacterCount();
    QTextCursor cursor(document());
    cursor.setPosition(std::clamp(start, 0, count));
    cursor.setPosition(std::clamp(end, 0, count), QTextCursor::KeepAnchor);
    QTextCharFormat format;
    format.setForeground(color);
    cursor.mergeCharFormat(format);
}

int TZelRichEdit::LanguageAt(int position) const {
    if (position < 0 || position >= CharacterCount())
        return 0;
    return FormatAt(*document(), position).intProperty(ZelLanguageProperty);
}

void TZelRichEdit::SetSelectionHidden(bool hidden) {
    if (hidden == SelectionHidden)
        return;
    SelectionHidden = hidden;
    QTextCursor cursor = textCursor();
    if (hidden) {
        HiddenSelection = cursor;
        cursor.clearSelection();
        setTextCursor(cursor);
    } else if (!HiddenSelection.isNull()) {
        setTextCursor(HiddenSelection);
        HiddenSelection = QTextCursor();
    }
}
