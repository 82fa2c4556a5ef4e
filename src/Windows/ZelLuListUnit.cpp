#include "ZelLuListUnit.h"

#include "ZelActions.h"
#include "ZelBaseDataModule.h"
#include "ZelDialogs.h"
#include "ZelGuiTranslations.h"
#include "ZelHelpContext.h"
#include "ZelQtText.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const std::vector<TZelActionSpec>& ListActions() {
    static const std::vector<TZelActionSpec> table{
        {"ShowMultiwordsAction",
         QT_TRANSLATE_NOOP("TZelLuListFrame", "Show Multiwords"),
         QT_TRANSLATE_NOOP("TZelLuListFrame", "Show also multiwords"),
         nullptr,
         22003,
         41,
         {},
         true},
    };
    return table;
}

// Multiply then divide, rounded.
int MulDiv(int value, int numerator, int denominator) {
    return int((qint64(value) * numerator + denominator / 2) / denominator);
}

} // namespace

// Reading a row moves the cursor; the selected row stays the cursor's current one, since the
// window keeps the unit it was handed.
class TZelKeepCursorIndex {
public:
    explicit TZelKeepCursorIndex(IZelArrayCursor& cursor)
        : Cursor(cursor), Index(cursor.GetIndex()) {}
    ~TZelKeepCursorIndex() { Cursor.SetIndex(Index); }

private:
    IZelArrayCursor& Cursor;
    int32_t Index;
};

void TZelLuListView::SetVisible(bool visible) {
    TZelView::SetVisible(visible);
    Frame->setVisible(visible);
}

// ----- the rows ---------------------------------------------------------------------------------

void TZelLuListModel::SetCursor(ZelRef<IZelArrayCursor> cursor) {
    beginResetModel();
    Current = std::move(cursor);
    Count = Current ? Current->GetCount() : 0;
    endResetModel();
}

void TZelLuListModel::SetRowCount(int count) {
    if (count == Count) {
        if (Count > 0)
            emit dataChanged(index(0), index(Count - 1));
        return;
    }
    beginResetModel();
    Count = count;
    endResetModel();
}

int TZelLuListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Count;
}

QVariant TZelLuListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return {};
    if (!Current || index.row() < 0 || index.row() >= Current->GetCount())
        return {};
    try {
        TZelKeepCursorIndex keep(*Current);
        Current->SetIndex(index.row());
        ZelRef<IZelLu> lu = ZelQuery<IZelLu>(Current);
        return lu ? ZelQString(lu->GetWideText()) : QVariant();
    } catch (const EZelError&) {
        return {}; // a row of a damaged file reads as nothing
    }
}

TZelLuListDelegate::TZelLuListDelegate(TZelLuListFrame* frame)
    : QStyledItemDelegate(frame), Frame(frame) {}

void TZelLuListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    const QPalette& palette = option.palette;
    bool selected = option.state & QStyle::State_Selected;
    bool focused = option.state & QStyle::State_HasFocus || Frame->List()->hasFocus();
    QColor background = palette.color(QPalette::Base), text = palette.color(QPalette::Text);
    if (selected) {
        background = palette.color(focused ? QPalette::Highlight : QPalette::Button);
        text = palette.color(focused ? QPalette::HighlightedText : QPalette::ButtonText);
    }
    painter->fillRect(option.rect, background);
    IZelArrayCursor* cursor = Frame->Cursor();
    if (!cursor || index.row() >= cursor->GetCount())
        return;
    TZelKeepCursorIndex keep(*cursor);
    QString headword;
    int32_t number = 0; // the homograph's ordinal, shown small before it
    try {
        cursor->SetIndex(index.row());
        ZelRef<IZelLu> lu = ZelQuery<IZelLu>(cursor);
        if (!lu)
            return;
        headword = ZelQString(lu->GetWideText());
        if (lu->GetLuStyle() == ZelLuStyleOrdinal)
            number = lu->GetOrdinal();
    } catch (const EZelError&) {
        return; // a row of a damaged file is left blank
    }
    painter->setPen(text);
    QRect cell = option.rect.adjusted(2, 0, 0, 0);
    int x = cell.left();
    if (number > 0) {
        QFont small = option.font;
        small.setPointSizeF(std::max(1.0, option.font.pointSizeF() * 3 / 5));
        if (option.font.pointSizeF() <= 0)
            small.setPixelSize(std::max(1, MulDiv(option.font.pixelSize(), 3, 5)));
        painter->setFont(small);
        QString ordinal = QString::number(number);
        painter->drawText(QRect(x, cell.top(), cell.width(), cell.height()),
                          Qt::AlignLeft | Qt::AlignTop, ordinal);
        x += QFontMetrics(small).horizontalAdvance(ordinal);
    }
    painter->setFont(option.font);
    painter->drawText(QRect(x, cell.top(), cell.right() - x, cell.height()),
                      Qt::AlignLeft | Qt::AlignVCenter, headword);
    int needed = x + QFontMetrics(option.font).horizontalAdvance(headword) - option.rect.left() + 2;
    Frame->NoteWidth(needed);
    if (selected && focused) {
        QStyleOptionFocusRect focus;
        focus.rect = option.rect;
        focus.palette = palette;
        focus.backgroundColor = background;
        QApplication::style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter);
    }
}

QSize TZelLuListDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const {
    return QSize(16, Frame->RowHeight());
}

// ----- the pane ---------------------------------------------------------------------------------

TZelLuListFrame::TZelLuListFrame(QWidget* parent)
    : QWidget(parent), Dics(ZelMake<TZelDicList>()), ChooserBox(new QWidget(this)),
      Chooser(new QComboBox(ChooserBox)), Find(new QLineEdit(this)),
      MultiwordsToggle(new QToolButton(this)), ListView(new QListView(this)), PaneView(this) {
    setObjectName("ZelLuListFrame");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    auto* chooserLayout = new QHBoxLayout(ChooserBox);
    chooserLayout->setContentsMargins(2, 2, 2, 0);
    chooserLayout->addWidget(Chooser);
    ZelSetHelpContext(Chooser, 8090);
    Chooser->setAccessibleName(tr("Dictionary"));
    layout->addWidget(ChooserBox);
    ChooserBox->hide();

    auto* findLayout = new QHBoxLayout;
    findLayout->setContentsMargins(2, 0, 2, 0);
    findLayout->setSpacing(1);
    findLayout->addWidget(Find, 1);
    findLayout->addWidget(MultiwordsToggle);
    layout->addLayout(findLayout);
    Find->setObjectName("FindEdit");
    Find->setAccessibleName(tr("Find headword"));
    Find->setClearButtonEnabled(true);
    ZelSetHelpContext(Find, 22001);
    Find->installEventFilter(this);

    Multiwords = ZelCreateActions(this, "TZelLuListFrame", ListActions(), ZelToolbarPictures())[0];
    MultiwordsToggle->setDefaultAction(Multiwords);
    MultiwordsToggle->setAutoRaise(true);
    connect(Multiwords, &QAction::triggered, this, [this](bool on) { ShowMultiwords(on); });

    ListView->setObjectName("LuList");
    ListView->setAccessibleName(tr("Headwords"));
    ListView->setModel(&Model);
    ListView->setItemDelegate(new TZelLuListDelegate(this));
    ListView->setUniformItemSizes(true);
    ListView->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    ListView->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView->setMouseTracking(true);
    ListView->viewport()->installEventFilter(this);
    ZelSetHelpContext(ListView, 22002);
    layout->addWidget(ListView, 1);
    connect(ListView->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    OnRowSelected(current.row());
            });
    connect(Find, &QLineEdit::textEdited, this, [this] { OnTyped(); });
    connect(Chooser, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!Filling && index >= 0)
            OnChooserChange(index);
    });
    SetPaneFont(ZelDefaultTextFont());
    UpdateMultiwordsAction();
}

TZelLuListFrame::~TZelLuListFrame() = default;

ZelRef<IZelLu> TZelLuListFrame::CurrentLu() const {
    return Model.Cursor() ? ZelQuery<IZelLu>(Model.Cursor()) : nullptr;
}

ZelRef<IZelDic> TZelLuListFrame::CurrentDic() const {
    ZelRef<IZelLu> lu = CurrentLu();
    return lu ? lu->GetDic() : nullptr;
}

void TZelLuListFrame::SetDictionaries(IZelDicList* list) {
    Filling = true;
    Chooser->clear();
    Dics->Clear();
    for (int32_t i = 0; list && i < list->GetCount(); ++i) {
        ZelRef<IZelDic> dic = list->GetDic(i);
        if (!dic || !dic->HasLuList())
            continue;
        Dics->Add(ZelRef<IZelUnknown>(dic));
        Chooser->addItem(ZelGuiTranslate(ZelQString(dic->GetName())));
    }
    Filling = false;
    ChooserBox->setVisible(Chooser->count() > 1);
}

void TZelLuListFrame::ShowDictionaries(IZelDicList* list) {
    SetDictionaries(list);
    ZEL_ASSERT(Chooser->count() > 0);
    Filling = true;
    Chooser->setCurrentIndex(0);
    Filling = false;
    OnChooserChange(0);
}

void TZelLuListFrame::ShowCursor(ZelRef<IZelArrayCursor> cursor) {
    SetDictionaries(nullptr);
    ShowCursorNow(std::move(cursor));
}

void TZelLuListFrame::OnChooserChange(int index) {
    ZelRef<IZelDic> dic = Dics->GetDic(index);
    ZEL_ASSERT(dic);
    bool hideMultiwords = dic->HasMultiwordFilter() && !dic->MultiwordsShownByDefault();
    ZelRef<IZelArrayCursor> rows;
    // A damaged headword list: told, and the pane stays empty for this dictionary.
    Guarded([&] {
        rows = hideMultiwords ? ZelRef<IZelArrayCursor>(dic->GetLuFilter()) : dic->GetEntries();
    });
    ShowCursorNow(rows);
    Multiwords->setChecked(dic->MultiwordsShownByDefault());
}

void TZelLuListFrame::ShowCursorNow(ZelRef<IZelArrayCursor> cursor) {
    SetFindText({});
    WidestText = 16;
    Model.SetCursor(std::move(cursor));
    PositionFromFindBox();
    UpdateMultiwordsAction();
}

void TZelLuListFrame::UpdateMultiwordsAction() {
    ZelRef<IZelDic> dic = CurrentDic();
    bool available = Dics->GetCount() > 0 && dic && dic->HasMultiwordFilter();
    Multiwords->setEnabled(available);
    Multiwords->setVisible(available);
    MultiwordsToggle->setVisible(available);
}

// The action was toggled to on: the dictionary's list with or without its multi-word
// headwords; a search's result stays as it is.
void TZelLuListFrame::ShowMultiwords(bool on) {
    ZelRef<IZelDic> dic = CurrentDic();
    if (!dic) {
        Multiwords->setChecked(!on); // nothing to switch
        return;
    }
    ZelRef<IZelArrayCursor> filter, entries;
    Guarded([&] {
        filter = ZelRef<IZelArrayCursor>(dic->GetLuFilter());
        entries = dic->GetEntries();
    });
    IZelArrayCursor* current = Model.Cursor();
    QString text = Find->text();
    if (on && filter && current == filter.get())
        ShowCursorNow(entries);
    else if (!on && entries && current == entries.get())
        ShowCursorNow(filter);
    else
        return;
    SetFindText(text); // the list keeps the user's place
    PositionFromFindBox();
}

void TZelLuListFrame::OnTyped() {
    if (!Model.Cursor())
        return;
    ListView->setUpdatesEnabled(false);
    ZelRef<IZelDic> dic = CurrentDic();
    if (dic && dic->HasMultiwordFilter() && !dic->MultiwordsShownByDefault() &&
        Find->text().contains(' ') != Multiwords->isChecked()) {
        int caret = Find->cursorPosition();
        Multiwords->trigger();
        Find->setCursorPosition(caret);
    }
    PositionFromFindBox();
    ListView->setUpdatesEnabled(true);
}

// A step over the dictionary's files: a damaged file is told once (its message), the list
// carries on.
void TZelLuListFrame::Guarded(const std::function<void()>& step) {
    try {
        step();
    } catch (const EZelError& e) {
        QString message = QString::fromUtf8(e.what());
        if (!Told.contains(message)) {
            Told.insert(message);
            ZelDialogs().ShowException(e);
        }
    }
}

void TZelLuListFrame::PositionFromFindBox() {
    Guarded([this] { PositionFromFindBoxNow(); });
}

// The first headword loosely equal to the text, or the exact one among those equal to it;
// past the last headword, the last row.
void TZelLuListFrame::PositionFromFindBoxNow() {
    IZelArrayCursor* cursor = Model.Cursor();
    int count = Model.rowCount();
    if (!cursor || count == 0)
        return;
    ZelRef<IZelDic> dic = CurrentDic();
    int32_t index = 0;
    if (dic) {
        ZelRef<TZelLu> key = ZelMake<TZelLu>(nullptr, Find->text().toStdU16String(), 0, 0);
        std::string keyText = key->GetText();
        if (dic->FindLu(*cursor, *key, index) && index < count) {
            ZelRef<IZelLu> lu = ZelQuery<IZelLu>(cursor);
            cursor->SetIndex(index);
            if (dic->CompareLuExact(*lu, keyText) != 0)
                for (int32_t next = index + 1; next < count; ++next) {
                    cursor->SetIndex(next);
                    if (dic->CompareLuLoose(*lu, keyText) != 0)
                        break; // the last loosely equal one stays
                    index = next;
                    if (dic->CompareLuExact(*lu, keyText) == 0)
                        break;
                }
        }
    }
    int row = std::min(int(index), count - 1);
    Positioning = true;
    if (row == SelectedRow())
        OnRowSelected(row);
    else
        SelectRow(row);
    Positioning = false;
    int visible = VisibleRows();
    if (count > visible) {
        int top = std::max(row - visible / 2, 0);
        if (top < count - visible)
            SetTopRow(top);
    }
}

void TZelLuListFrame::SelectRow(int row) {
    ListView->selectionModel()->setCurrentIndex(Model.index(row),
                                                QItemSelectionModel::ClearAndSelect);
}

void TZelLuListFrame::OnRowSelected(int row) {
    IZelArrayCursor* cursor = Model.Cursor();
    if (!cursor || row < 0 || row >= cursor->GetCount())
        return;
    cursor->SetIndex(row);
    ZelRef<IZelLu> lu = ZelQuery<IZelLu>(cursor);
    if (!Positioning && lu) {
        SetFindText(ZelQString(lu->GetWideText()));
        Find->setCursorPosition(int(Find->text().size()));
    }
    if (OnSelect && lu)
        OnSelect(lu.get());
}

int TZelLuListFrame::SelectedRow() const {
    QModelIndex current = ListView->currentIndex();
    return current.isValid() ? current.row() : -1;
}

int TZelLuListFrame::TopRow() const {
    return ListView->verticalScrollBar()->value();
}

void TZelLuListFrame::SetTopRow(int row) {
    ListView->verticalScrollBar()->setValue(row);
}

int TZelLuListFrame::VisibleRows() const {
    return std::max(1, ListView->viewport()->height() / std::max(RowPixels, 1));
}

void TZelLuListFrame::SetFindText(const QString& text) {
    Find->setText(text); // setText is not typing: textEdited stays silent
}

void TZelLuListFrame::Refresh() {
    WidestText = 16;
    IZelArrayCursor* cursor = Model.Cursor();
    Model.SetRowCount(cursor ? cursor->GetCount() : 0);
    PositionFromFindBox();
}

void TZelLuListFrame::SetPaneFont(const QFont& font) {
    Find->setFont(font);
    ListView->setFont(font);
    RowPixels = QFontMetrics(font).height();
    MultiwordsToggle->setFixedHeight(std::max(Find->sizeHint().height(), RowPixels));
    WidestText = 16;
    QTimer::singleShot(0, this, [this] { LayoutList(); });
}

void TZelLuListFrame::NoteWidth(int width) const {
    if (width <= WidestText)
        return;
    WidestText = width;
    auto* self = const_cast<TZelLuListFrame*>(this);
    QTimer::singleShot(0, self, [self] { self->LayoutList(); });
}

void TZelLuListFrame::LayoutList() {
    ListView->doItemsLayout();
}

TZelLuListState TZelLuListFrame::GetState() const {
    TZelLuListState state;
    state.DicIndex = Chooser->currentIndex();
    state.FindText = Find->text().toStdString();
    state.SelectedRow = SelectedRow();
    state.TopRow = TopRow();
    state.CaretPosition = Find->cursorPosition();
    state.SelectionLength = int(Find->selectedText().size());
    state.ShowMultiwords = Multiwords->isChecked();
    return state;
}

void TZelLuListFrame::SetState(const TZelLuListState& state) {
    if (state.DicIndex >= 0 && state.DicIndex < Chooser->count()) {
        Filling = true;
        Chooser->setCurrentIndex(state.DicIndex);
        Filling = false;
        OnChooserChange(state.DicIndex);
    }
    if (state.ShowMultiwords != Multiwords->isChecked())
        Multiwords->trigger();
    if (state.SelectedRow >= 0 && state.SelectedRow < Model.rowCount()) {
        SetTopRow(state.TopRow);
        Positioning = true;
        SelectRow(state.SelectedRow);
        Positioning = false;
    }
    SetFindText(QString::fromStdString(state.FindText));
    Find->setCursorPosition(state.CaretPosition);
    if (state.SelectionLength > 0)
        Find->setSelection(state.CaretPosition, state.SelectionLength);
}

// Page Up, Page Down, Up and Down in the find box move in the list.
bool TZelLuListFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Find && event->type() == QEvent::KeyPress) {
        int key = static_cast<QKeyEvent*>(event)->key();
        int count = Model.rowCount();
        int visible = VisibleRows();
        int selected = std::max(SelectedRow(), 0);
        switch (key) {
        case Qt::Key_PageUp:
            SetTopRow(std::max(TopRow() - visible + 1, 0));
            SelectRow(std::max(selected - visible + 1, 0));
            return true;
        case Qt::Key_PageDown:
            if (count == 0)
                return true;
            SetTopRow(std::max(std::min(TopRow() + visible - 1, count - visible), 0));
            SelectRow(std::min(selected + visible - 1, count - 1));
            return true;
        case Qt::Key_Up:
            if (selected > 0)
                SelectRow(selected - 1);
            return true;
        case Qt::Key_Down:
            if (selected + 1 < count)
                SelectRow(selected + 1);
            return true;
        default:
            break;
        }
    }
    if (watched == ListView->viewport() && event->type() == QEvent::MouseMove) {
        QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
        ListView->viewport()->setCursor(ListView->indexAt(at).isValid() ? Qt::PointingHandCursor
                                                                        : Qt::ArrowCursor);
    }
    return QWidget::eventFilter(watched, event);
}
