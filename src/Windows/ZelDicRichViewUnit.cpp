#include "ZelDicRichViewUnit.h"

#include "ZelBaseDataModule.h"
#include "ZelCodePage.h"
#include "ZelErrors.h"
#include "ZelGradient.h"
#include "ZelLangConfig.h"
#include "ZelQtText.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QScrollBar>

#include <unicode/uchar.h>

#include <cmath>

namespace {

constexpr int PageMargin = 8;
constexpr double TokenBoxPoints = 14; // 10 × 7 / 5
constexpr double MorphInfoPoints = 10;

QString FromWide(const std::u16string& text) {
    return ZelQString(text);
}

QString FromSystem(const std::string& bytes) {
    return ZelQStringFromSystem(bytes);
}

bool IsKnownReading(IZelSentenceItem& item) {
    return item.GetKind() == ZelItemReading && item.GetKnown() != 0;
}

// The reading part of a caption: the ordinal (when there is one), the lemma, the category.
QString ReadingText(IZelSentenceItem& item) {
    QString ordinal = item.GetOrdinal() > 0 ? QString::number(item.GetOrdinal()) : QString();
    return ordinal + FromWide(item.GetLemma()) + FromSystem(item.GetCatSuffix());
}

QFont ScaledFont(QFont font, double points) {
    font.setPointSizeF(points);
    return font;
}

// A character code whose low byte is that of "#", "%", "&" or "@" is a symbol even when
// Unicode calls it punctuation.
bool LooksLikeSymbol(UChar32 c) {
    int low = c & 0xFF;
    return low == 0x23 || low == 0x25 || low == 0x26 || low == 0x40;
}

// Counts the characters of a fragment and hands its custom tags over with their positions.
class TTagCounter : public TZelRtfCounter {
public:
    using THandler = std::function<void(const std::string&, const std::vector<std::string>&, int)>;
    TTagCounter(int base, THandler handler) : Base(base), Handler(std::move(handler)) {}
    void CustomTag(const std::string& name, const std::vector<std::string>& parameters) override {
        Handler(name, parameters, Base + Count);
    }

private:
    int Base;
    THandler Handler;
};

} // namespace

QString ZelTokenBoxCaption(IZelSentenceItem& item) {
    if (IsKnownReading(item)) {
        QString reading = ReadingText(item);
        std::u16string form = item.GetWordForm();
        return form.empty() ? reading : FromWide(form) + ": " + reading;
    }
    std::u16string form = item.GetWordForm();
    ZEL_ASSERT(!form.empty());
    size_t at = 0;
    UChar32 first;
    U16_NEXT(form.data(), at, form.size(), first);
    QString text;
    if (u_isalpha(first))
        text = QCoreApplication::translate("TZelDicRichViewForm", "%1: word not found");
    else if (u_isdigit(first))
        text = QCoreApplication::translate("TZelDicRichViewForm", "%1: number");
    else if (u_ispunct(first) && !LooksLikeSymbol(first))
        text = QCoreApplication::translate("TZelDicRichViewForm", "%1: punctuation");
    else
        text = QCoreApplication::translate("TZelDicRichViewForm", "%1: symbol");
    return text.arg(FromWide(form));
}

// --- Token box ---------------------------------------------------------------------------

TZelTokenBox::TZelTokenBox(IZelSentenceItem& item, const QFont& viewFont, const QPalette& palette,
                           bool gradient)
    : ItemShown(&item), Caption(ZelTokenBoxCaption(item)),
      Font(ScaledFont(viewFont, TokenBoxPoints)), Color(palette.color(QPalette::Button)),
      WindowColor(palette.color(QPalette::Base)), TextColor(palette.color(QPalette::ButtonText)),
      Gradient(gradient) {
    Font.setBold(true);
    QFontMetricsF metrics(Font);
    NaturalSize = QSizeF(std::ceil(metrics.horizontalAdvance(Caption)) + 8, metrics.height() + 4);
}

QSizeF TZelTokenBox::Size(double zoom) const {
    return NaturalSize * zoom;
}

void TZelTokenBox::Paint(QPainter& painter, const QRectF& rect, double zoom) const {
    QRect area = rect.toAlignedRect();
    ZelPaintGradient(painter, area, Color, WindowColor, Qt::Horizontal, std::min(area.width(), 128),
                     !Gradient);
    QFont font = ScaledFont(Font, TokenBoxPoints * zoom);
    painter.setPen(TextColor);
    painter.setFont(font);
    QFontMetricsF metrics(font);
    QPointF at(rect.left() + 4 * zoom, rect.top() + 2 * zoom + metrics.ascent());
    auto draw = [&](const QString& text, const QFont& with) {
        painter.setFont(with);
        painter.drawText(at, text);
        at.rx() += QFontMetricsF(with).horizontalAdvance(text);
    };
    IZelSentenceItem& item = *ItemShown;
    if (!IsKnownReading(item)) {
        draw(Caption, font);
        return;
    }
    if (!item.GetWordForm().empty())
        draw(FromWide(item.GetWordForm()) + ": ", font);
    if (item.GetOrdinal() > 0)
        draw(QString::number(item.GetOrdinal()), ScaledFont(font, font.pointSizeF() * 3 / 5));
    draw(FromWide(item.GetLemma()) + FromSystem(item.GetCatSuffix()), font);
}

// --- Morph-info box ----------------------------------------------------------------------

TZelMorphInfoBox::TZelMorphInfoBox(const QString& caption, const QFont& viewFont)
    : Caption(caption), Font(ScaledFont(viewFont, MorphInfoPoints)) {
    QRectF text = QFontMetricsF(Font).boundingRect(QRectF(0, 0, 10000, 10000), 0, Caption);
    NaturalSize = QSizeF(std::ceil(text.width()) + 16, std::ceil(text.height()) + 8);
}

QSizeF TZelMorphInfoBox::Size(double zoom) const {
    return NaturalSize * zoom;
}

void TZelMorphInfoBox::Paint(QPainter& painter, const QRectF& rect, double zoom) const {
    painter.fillRect(rect, QColor(255, 255, 204));
    painter.setFont(ScaledFont(Font, MorphInfoPoints * zoom));
    painter.setPen(Qt::black);
    painter.drawText(rect.adjusted(8 * zoom, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, Caption);
}

// --- Rich view ---------------------------------------------------------------------------

TZelDicRichViewForm::TZelDicRichViewForm(const QString& defaultName, QWidget* parent)
    : TZelDicViewForm(defaultName, parent), Edit(new TZelRichEdit(BackgroundPanel())) {
    BackgroundPanel()->setObjectName("DicPageGradientPanel");
    Edit->setObjectName("DicPageEdit");
    // A screen reader names the page after its view ("Dictionary", "Grammar notes"...).
    Edit->setAccessibleName(tr("Entry"));
    connect(this, &QWidget::windowTitleChanged, Edit,
            [this](const QString& title) { Edit->setAccessibleName(title); });
    Edit->setReadOnly(true);
    Edit->setFrameStyle(QFrame::NoFrame);
    Edit->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    Edit->hide();
    BackgroundPanel()->installEventFilter(this);
}

TZelDicRichViewForm::~TZelDicRichViewForm() {
    if (WaitCursor)
        QApplication::restoreOverrideCursor();
}

void TZelDicRichViewForm::SetViewConfig(TZelDicViewConfig* config) {
    TZelDicViewForm::SetViewConfig(config);
    bool noWrap = config && config->HorzScrollbar;
    Edit->setLineWrapMode(noWrap ? QTextEdit::NoWrap : QTextEdit::WidgetWidth);
    Qt::ScrollBarPolicy bars = noWrap ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAsNeeded;
    Edit->setHorizontalScrollBarPolicy(bars);
    Edit->setVerticalScrollBarPolicy(bars);
}

void TZelDicRichViewForm::BeginRender() {
    if (!WaitCursor) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        WaitCursor = true;
    }
    Rendering = true;
    Edit->blockSignals(true);
    Edit->setUpdatesEnabled(false);
    Edit->Clear();
    UpdateZoom();
    Buffer.clear();
    CharPos = 0;
}

void TZelDicRichViewForm::EndRender() {
    Flush();
    Edit->SetCaretPosition(0);
    Edit->setUpdatesEnabled(true);
    Edit->blockSignals(false);
    Rendering = false;
    LayoutPage();
    if (WaitCursor) {
        QApplication::restoreOverrideCursor();
        WaitCursor = false;
    }
}

void TZelDicRichViewForm::ApplySettings() {
    UpdateZoom();
    LayoutPage();
}

void TZelDicRichViewForm::SetContentVisible(bool visible) {
    Edit->setVisible(visible);
}

void TZelDicRichViewForm::UpdateZoom() {
    QFont text = ZelDefaultTextFont();
    Edit->SetZoom(text.pointSize() > 0 ? text.pointSize() : 10, 10);
}

void TZelDicRichViewForm::CloseOpenGroups() {
    int open = 0;
    for (size_t i = 0; i < Buffer.size(); ++i) {
        if (Buffer[i] == '\\')
            ++i; // an escaped brace is text
        else if (Buffer[i] == '{')
            ++open;
        else if (Buffer[i] == '}' && open > 0)
            --open;
    }
    Buffer.append(size_t(open), '}');
}

void TZelDicRichViewForm::Flush() {
    CloseOpenGroups();
    if (Buffer.empty())
        return;
    Edit->InsertRtf(Buffer, ZelGetSystemCodePage());
    Buffer.clear();
}

void TZelDicRichViewForm::AppendRtf(IZelDic* dic, const std::string& rtf) {
    Flush();
    // The tags are handed over before anything is inserted, so that a tag that fails leaves
    // the page as it was.
    TTagCounter counter(CharPos,
                        [&](const std::string& name, const std::vector<std::string>& parameters,
                            int position) { OnCustomTag(dic, name, parameters, position); });
    ZelReadRtf(rtf, ZelGetSystemCodePage(), counter);
    Buffer = rtf;
    CharPos += counter.Count;
    Flush();
    if (Edit->CaretPosition() != CharPos)
        ZelAssertFailed(__FILE__, __LINE__,
                        QCoreApplication::translate("TZelDicRichViewForm",
                                                    "%1 characters counted, the page holds %2")
                            .arg(CharPos)
                            .arg(Edit->CaretPosition())
                            .toStdString());
}

void TZelDicRichViewForm::AppendText(const std::u16string& text) {
    if (Buffer.empty())
        Buffer = "{\\rtf1\\ansi ";
    for (char16_t c : text) {
        if (ZelRtfLeavesOut(c))
            continue;
        if (c == u'\\' || c == u'{' || c == u'}')
            Buffer += '\\', Buffer += char(c);
        else if (c == u'\t')
            Buffer += "\\tab ";
        else if (c >= 0x20 && c < 0x7F)
            Buffer += char(c);
        else
            Buffer += "\\u" + std::to_string(int16_t(c)) + "?";
        ++CharPos;
    }
}

void TZelDicRichViewForm::AppendParagraph() {
    if (Buffer.empty())
        Buffer = "{\\rtf1\\ansi ";
    Buffer += "\\par ";
    ++CharPos;
}

bool TZelDicRichViewForm::HasLines() const {
    return CharPos > 0;
}

void TZelDicRichViewForm::InsertObject(std::unique_ptr<TZelTextObject> object) {
    Flush();
    Edit->InsertObject(std::move(object));
    ++CharPos;
}

void TZelDicRichViewForm::AppendTokenBox(IZelSentenceItem& item) {
    if (HasLines())
        AppendParagraph();
    InsertObject(
        std::make_unique<TZelTokenBox>(item, font(), palette(), ZelCanShowGradients(this)));
}

void TZelDicRichViewForm::AppendMorphInfo(IZelSentenceItem& item) {
    std::string descriptions = item.GetDescription();
    if (descriptions.empty())
        return;
    QString caption = FromSystem(descriptions);
    caption.replace('\r', '\n');
    AppendParagraph();
    InsertObject(std::make_unique<TZelMorphInfoBox>(caption, font()));
}

void TZelDicRichViewForm::InsertPicture(const QString& fileName) {
    QImageReader reader(fileName);
    QImage image = reader.read();
    if (image.isNull())
        throw EZelError(
            QCoreApplication::translate("TZelDicRichViewForm", "Cannot show the picture %1: %2")
                .arg(QFileInfo(fileName).fileName(), reader.errorString())
                .toStdString());
    Flush();
    Edit->InsertPicture(image);
    ++CharPos;
}

bool TZelDicRichViewForm::IsWordCharacter(QChar c) {
    if (c == '\'' || c == '-')
        return true;
    if (!u_isalpha(c.unicode()))
        return false;
    // A letter the system code page can write.
    std::string byte;
    char16_t unit = c.unicode();
    return ZelTryWideToCodePage(std::u16string_view(&unit, 1), ZelGetSystemCodePage(), byte);
}

void TZelDicRichViewForm::WordAt(int position, int& start, int& end) const {
    ZEL_ASSERT(position >= 0);
    start = end = position;
    if (!IsWordCharacter(Edit->CharacterAt(position)))
        return;
    while (start > 0 && IsWordCharacter(Edit->CharacterAt(start - 1)))
        --start;
    if (Edit->CharacterAt(start) == '-')
        ++start;
    end = position + 1;
    while (IsWordCharacter(Edit->CharacterAt(end)))
        ++end;
}

void TZelDicRichViewForm::OnCustomTag(IZelDic*, const std::string&, const std::vector<std::string>&,
                                      int) {}

bool TZelDicRichViewForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == BackgroundPanel() && event->type() == QEvent::Resize && !Rendering)
        LayoutPage();
    return TZelDicViewForm::eventFilter(watched, event);
}

// The page sits in the panel with a margin, as high as its text asks for, no higher than
// the panel: a short entry leaves the panel's gradient and logo in sight.
void TZelDicRichViewForm::LayoutPage() {
    QWidget* panel = BackgroundPanel();
    int width = std::max(panel->width() - 2 * PageMargin, 1);
    int available = std::max(panel->height() - 2 * PageMargin, 1);
    Edit->setGeometry(PageMargin, PageMargin, width, available);
    QTextDocument* document = Edit->document();
    if (Edit->lineWrapMode() == QTextEdit::WidgetWidth)
        document->setTextWidth(Edit->viewport()->width());
    RequestedHeight = int(std::ceil(document->size().height())) + 2 * Edit->frameWidth();
    if (Edit->lineWrapMode() == QTextEdit::NoWrap &&
        Edit->horizontalScrollBarPolicy() != Qt::ScrollBarAlwaysOff)
        RequestedHeight += Edit->horizontalScrollBar()->sizeHint().height();
    Edit->setGeometry(PageMargin, PageMargin, width, std::min(RequestedHeight, available));
}
