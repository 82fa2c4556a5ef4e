#include "ZelMorphTreeUnit.h"

#include "ZelActions.h"
#include "ZelCodePage.h"
#include "ZelQtText.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace {

constexpr int ItemRole = Qt::UserRole;            // the index of the node's item
constexpr int AlternativeRole = Qt::UserRole + 1; // a reading among alternatives
constexpr int BoxSize = 9;

QString FromWide(const std::u16string& text) {
    return ZelQString(text);
}

// A reading's category in brackets (" [n]"); a known reading without one (a number, an
// address, a word of no known part of speech) says what it is (" (anno)", " (parola
// inglese)"), so that it does not look like an unknown word.
QString CategorySuffix(IZelSentenceItem& item) {
    QString category = ZelQStringFromSystem(item.GetCatSuffix());
    if (category.isEmpty() && item.GetKnown() && !item.GetDescription().empty())
        return " (" + ZelQStringFromSystem(item.GetDescription()) + ")";
    return category;
}

// Draws a node's text on its background: the highlight when selected in a focused tree,
// the button face when selected otherwise, the window colour else; a reading among
// alternatives with its ordinal at 3/5 of the font size.
class TZelMorphNodeDelegate : public QStyledItemDelegate {
public:
    TZelMorphNodeDelegate(TZelMorphTreeFrame& frame, QObject* parent)
        : QStyledItemDelegate(parent), Frame(frame) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        return QSize(size.width() + 4, std::max(size.height(), option.fontMetrics.height() + 2));
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QWidget* tree = option.widget;
        bool selected = option.state & QStyle::State_Selected;
        bool focused = tree && tree->hasFocus();
        const QPalette& palette = option.palette;
        QColor background = palette.color(QPalette::Base);
        QColor text = palette.color(QPalette::Text);
        if (selected && focused) {
            background = palette.color(QPalette::Highlight);
            text = palette.color(QPalette::HighlightedText);
        } else if (selected) {
            background = palette.color(QPalette::Button);
            text = palette.color(QPalette::ButtonText);
        }
        if (!(option.state & QStyle::State_Enabled))
            text = palette.color(QPalette::Disabled, QPalette::Text);
        QFont font = option.font;
        QFontMetrics metrics(font);
        QString caption = index.data(Qt::DisplayRole).toString();
        QString ordinal;
        QString rest = caption;
        if (index.data(AlternativeRole).toBool()) {
            auto* node = static_cast<const QTreeWidget*>(tree)->itemFromIndex(index);
            IZelSentenceItem* item = Frame.ItemOf(node);
            if (item && item->GetOrdinal() > 0) {
                ordinal = QString::number(item->GetOrdinal());
                rest = FromWide(item->GetLemma()) + CategorySuffix(*item);
            }
        }
        QFont small = font;
        small.setPointSizeF(font.pointSizeF() * 3 / 5);
        int width =
            QFontMetrics(small).horizontalAdvance(ordinal) + metrics.horizontalAdvance(rest);
        QRect box(option.rect.left(), option.rect.top(), std::min(width + 4, option.rect.width()),
                  option.rect.height());
        painter->fillRect(box, background);
        painter->setPen(text);
        int baseline = box.top() + (box.height() - metrics.height()) / 2 + metrics.ascent();
        int x = box.left() + 2;
        if (!ordinal.isEmpty()) {
            painter->setFont(small);
            painter->drawText(x, baseline, ordinal);
            x += QFontMetrics(small).horizontalAdvance(ordinal);
        }
        painter->setFont(font);
        painter->drawText(x, baseline, rest);
        if (selected && focused) {
            QStyleOptionFocusRect focus;
            focus.rect = box;
            focus.state = QStyle::State_None;
            focus.backgroundColor = background;
            tree->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, tree);
        }
    }

private:
    TZelMorphTreeFrame& Frame;
};

} // namespace

// --- Tree control ------------------------------------------------------------------------

TZelMorphTreeView::TZelMorphTreeView(TZelMorphTreeFrame& frame)
    : QTreeWidget(&frame), Owner(frame) {
    setObjectName("MorphTreeView");
    setAccessibleName(QCoreApplication::translate("TZelMorphTreeFrame", "Analysis"));
    setHeaderHidden(true);
    setIndentation(19);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setExpandsOnDoubleClick(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setMouseTracking(true);
    setItemDelegate(new TZelMorphNodeDelegate(frame, this));
    setUniformRowHeights(true);
}

QItemSelectionModel::SelectionFlags TZelMorphTreeView::selectionCommand(const QModelIndex& index,
                                                                        const QEvent* event) const {
    if (index.isValid() && !Owner.IsSelectable(itemFromIndex(index)))
        return QItemSelectionModel::NoUpdate;
    return QTreeWidget::selectionCommand(index, event);
}

// The keys pass over nodes that cannot be selected, on in the direction they move.
QModelIndex TZelMorphTreeView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    QModelIndex next = QTreeWidget::moveCursor(action, modifiers);
    bool upwards = action == MoveUp || action == MovePageUp || action == MovePrevious ||
                   action == MoveLeft || action == MoveEnd;
    while (next.isValid() && !Owner.IsSelectable(itemFromIndex(next)))
        next = upwards ? indexAbove(next) : indexBelow(next);
    return next.isValid() ? next : currentIndex();
}

void TZelMorphTreeView::drawBranches(QPainter* painter, const QRect& rect,
                                     const QModelIndex& index) const {
    painter->save();
    painter->setPen(palette().color(QPalette::WindowText));
    int indent = indentation();
    int middleY = rect.top() + rect.height() / 2;
    // The node's own cell is the last one: its stub, its line up, and down when a sibling
    // follows; each ancestor's cell carries a line down when that ancestor has a sibling.
    int cellLeft = rect.right() + 1 - indent;
    int x = cellLeft + indent / 2;
    QModelIndex parent = index.parent();
    bool hasSibling = index.sibling(index.row() + 1, 0).isValid();
    if (parent.isValid()) {
        painter->drawLine(x, middleY, cellLeft + indent - 1, middleY);
        painter->drawLine(x, rect.top(), x, hasSibling ? rect.bottom() : middleY);
    }
    int ancestorX = x - indent;
    for (QModelIndex ancestor = parent; ancestor.isValid() && ancestor.parent().isValid();
         ancestor = ancestor.parent(), ancestorX -= indent) {
        if (ancestor.sibling(ancestor.row() + 1, 0).isValid())
            painter->drawLine(ancestorX, rect.top(), ancestorX, rect.bottom());
    }
    if (model()->hasChildren(index) && parent.isValid()) {
        QRect box(x - BoxSize / 2, middleY - BoxSize / 2, BoxSize - 1, BoxSize - 1);
        painter->fillRect(box, palette().color(QPalette::Base));
        painter->drawRect(box);
        painter->drawLine(box.left() + 2, middleY, box.right() - 2, middleY);
        if (!isExpanded(index))
            painter->drawLine(x, box.top() + 2, x, box.bottom() - 2);
    }
    painter->restore();
}

void TZelMorphTreeView::mouseMoveEvent(QMouseEvent* event) {
    QTreeWidget::mouseMoveEvent(event);
    QModelIndex index = indexAt(event->position().toPoint());
    bool overText = false;
    if (index.isValid() && Owner.IsSelectable(itemFromIndex(index))) {
        QStyleOptionViewItem option;
        initViewItemOption(&option);
        QRect text = visualRect(index);
        text.setWidth(itemDelegate()->sizeHint(option, index).width());
        overText = text.contains(event->position().toPoint());
    }
    if (overText)
        viewport()->setCursor(Qt::PointingHandCursor);
    else
        viewport()->unsetCursor();
}

// --- Frame -------------------------------------------------------------------------------

TZelMorphTreeFrame::TZelMorphTreeFrame(QWidget* parent)
    : QWidget(parent), Tree(new TZelMorphTreeView(*this)) {
    setObjectName("ZelMorphTreeFrame");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Tree);
    ZelSetHelpContext(Tree, 8020);
    Tree->setEnabled(false);
    Tree->setBackgroundRole(QPalette::Button);
    connect(Tree, &QTreeWidget::itemSelectionChanged, this,
            &TZelMorphTreeFrame::OnSelectionChanged);
}

void TZelMorphTreeFrame::SetAnalysis(IZelSentenceItem* item) {
    if (item == Shown.get())
        return;
    Shown = item;
    Rebuild();
}

void TZelMorphTreeFrame::Rebuild() {
    bool signalsWereBlocked = Tree->blockSignals(true);
    Tree->setUpdatesEnabled(false);
    Tree->clear();
    NodeItems.clear();
    FirstSelectable = nullptr;
    if (Shown) {
        Tree->setEnabled(true);
        Tree->viewport()->setBackgroundRole(QPalette::Base);
        auto* root = new QTreeWidgetItem(
            Tree, {QCoreApplication::translate("TZelMorphTreeFrame", "Analysis")});
        root->setData(0, ItemRole, -1);
        AddItem(0, root, false, *Shown);
        Tree->expandAll();
        if (FirstSelectable)
            Tree->setCurrentItem(FirstSelectable);
    } else {
        bool hadFocus = Tree->hasFocus();
        Tree->setEnabled(false);
        Tree->viewport()->setBackgroundRole(QPalette::Button);
        if (hadFocus)
            emit ClearedWhileFocused();
        emit Selected(nullptr);
    }
    Tree->setUpdatesEnabled(true);
    Tree->blockSignals(signalsWereBlocked);
}

QTreeWidgetItem* TZelMorphTreeFrame::AddNode(QTreeWidgetItem* parent, const QString& text,
                                             IZelSentenceItem& item, bool alternativeReading) {
    auto* node = new QTreeWidgetItem(parent, {text});
    node->setData(0, ItemRole, int(NodeItems.size()));
    node->setData(0, AlternativeRole, alternativeReading);
    NodeItems.emplace_back(&item);
    if (!FirstSelectable && IsSelectable(node))
        FirstSelectable = node;
    return node;
}

void TZelMorphTreeFrame::AddItem(int level, QTreeWidgetItem* parent, bool inAlternatives,
                                 IZelSentenceItem& item) {
    switch (item.GetKind()) {
    case ZelItemReading:
        if (inAlternatives) {
            QString ordinal =
                item.GetOrdinal() > 0 ? QString::number(item.GetOrdinal()) : QString();
            AddNode(parent, ordinal + FromWide(item.GetLemma()) + CategorySuffix(item), item, true);
        } else {
            AddNode(parent, FromWide(item.GetWordForm()) + CategorySuffix(item), item, false);
        }
        break;
    case ZelItemAlternatives: {
        ZelRef<IZelSentenceItem> first = item.GetCount() > 0 ? item.GetItem(0) : nullptr;
        QString form = FromWide(first ? first->GetWordForm() : item.GetWordForm());
        QTreeWidgetItem* node = AddNode(parent, form, item, false);
        for (int32_t i = 0; i < item.GetCount(); ++i)
            AddItem(level + 1, node, true, *item.GetItem(i));
        break;
    }
    case ZelItemSequence: {
        QTreeWidgetItem* under =
            level == 0 ? parent : AddNode(parent, FromWide(item.GetWordForm()), item, false);
        for (int32_t i = 0; i < item.GetCount(); ++i)
            AddItem(level + 1, under, false, *item.GetItem(i));
        break;
    }
    default:
        break;
    }
}

IZelSentenceItem* TZelMorphTreeFrame::ItemOf(QTreeWidgetItem* node) const {
    if (!node)
        return nullptr;
    int index = node->data(0, ItemRole).toInt();
    return index >= 0 && size_t(index) < NodeItems.size() ? NodeItems[size_t(index)].get()
                                                          : nullptr;
}

bool TZelMorphTreeFrame::IsAlternativeReading(QTreeWidgetItem* node) const {
    return node && node->data(0, AlternativeRole).toBool();
}

bool TZelMorphTreeFrame::IsSelectable(QTreeWidgetItem* node) const {
    if (!node || !node->parent())
        return false; // the root
    if (!LemmasOnly)
        return true;
    IZelSentenceItem* item = ItemOf(node);
    return item && !item->GetLemma().empty();
}

IZelSentenceItem* TZelMorphTreeFrame::GetSelected() const {
    QList<QTreeWidgetItem*> selected = Tree->selectedItems();
    return selected.isEmpty() ? nullptr : ItemOf(selected.front());
}

void TZelMorphTreeFrame::SetTreeFont(const QFont& font) {
    Tree->setFont(font);
}

void TZelMorphTreeFrame::OnSelectionChanged() {
    emit Selected(GetSelected());
}
