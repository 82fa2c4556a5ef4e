// The analysis tree: the readings of one sentence under a root "Analysis", drawn with its
// own lines and boxes; a reading among alternatives shows its ordinal small before its
// lemma. Only nodes that name a reading can be selected (with the lemmas-only flag, only
// those with a lemma); the pointer becomes a hand over their text.
#pragma once

#include "ZelSentenceItem.h"

#include <QTreeWidget>
#include <QWidget>

#include <vector>

class TZelMorphTreeView;

class TZelMorphTreeFrame : public QWidget {
    Q_OBJECT
public:
    explicit TZelMorphTreeFrame(QWidget* parent = nullptr);

    // Shows an analysis, or none; nothing happens when the item is already shown.
    void SetAnalysis(IZelSentenceItem* item);
    IZelSentenceItem* Analysis() const { return Shown.get(); }
    // The item of the selected node, or none.
    IZelSentenceItem* GetSelected() const;
    void SetTreeFont(const QFont& font);
    bool IsSelectable(QTreeWidgetItem* node) const;
    void SetLemmasOnly(bool on) { LemmasOnly = on; }
    bool IsLemmasOnly() const { return LemmasOnly; }

    TZelMorphTreeView* MorphTreeView() const { return Tree; }
    // The item a node shows.
    IZelSentenceItem* ItemOf(QTreeWidgetItem* node) const;
    // Whether a node is a reading among alternatives (drawn with its ordinal small).
    bool IsAlternativeReading(QTreeWidgetItem* node) const;

signals:
    // The selection moved to a node (its item), or the tree was emptied (none).
    void Selected(IZelSentenceItem* item);
    // The tree was emptied while it had the focus.
    void ClearedWhileFocused();

private:
    void Rebuild();
    void AddItem(int level, QTreeWidgetItem* parent, bool inAlternatives, IZelSentenceItem& item);
    QTreeWidgetItem* AddNode(QTreeWidgetItem* parent, const QString& text, IZelSentenceItem& item,
                             bool alternativeReading);
    void OnSelectionChanged();

    TZelMorphTreeView* Tree;
    ZelRef<IZelSentenceItem> Shown;
    std::vector<ZelRef<IZelSentenceItem>> NodeItems; // the item of node i (UserRole = i)
    QTreeWidgetItem* FirstSelectable = nullptr;
    bool LemmasOnly = false;
};

// The tree control of the frame: refuses to select what the frame says cannot be, draws
// its lines and boxes, shows the hand over selectable text.
class TZelMorphTreeView : public QTreeWidget {
    Q_OBJECT
public:
    explicit TZelMorphTreeView(TZelMorphTreeFrame& frame);

    TZelMorphTreeFrame& Frame() const { return Owner; }

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void drawBranches(QPainter* painter, const QRect& rect,
                      const QModelIndex& index) const override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    TZelMorphTreeFrame& Owner;
};
