// The headword list pane: a dictionary chooser, a find box that positions the list as the
// user types, and the list of a cursor's headwords (a dictionary's, or a search's result).
// The list is virtual: a list view whose row count is the cursor's, each row drawn from the
// cursor when it is painted, so a million headwords cost nothing per row.
#pragma once

#include "ZelDic.h"
#include "ZelView.h"

#include <QAbstractListModel>
#include <QSet>
#include <QStyledItemDelegate>
#include <QWidget>

#include <functional>
#include <string>

class QAction;
class QComboBox;
class QLineEdit;
class QListView;
class QToolButton;
class TZelLuListFrame;

// What the pane shows, kept in the look-up window's saved state.
struct TZelLuListState {
    int32_t DicIndex = -1;
    std::string FindText;
    int32_t SelectedRow = 0;
    int32_t TopRow = 0;
    int32_t CaretPosition = 0;
    int32_t SelectionLength = 0;
    bool ShowMultiwords = false;
};

// The pane as a view of the window: shown and hidden with it.
class TZelLuListView : public TZelView {
public:
    explicit TZelLuListView(TZelLuListFrame* frame) : Frame(frame) {}
    void SetVisible(bool visible) override;

private:
    TZelLuListFrame* Frame;
};

// The rows of a cursor.
class TZelLuListModel : public QAbstractListModel {
    Q_OBJECT
public:
    void SetCursor(ZelRef<IZelArrayCursor> cursor);
    IZelArrayCursor* Cursor() const { return Current.get(); }
    // Repaints when the count is the same, else resets.
    void SetRowCount(int count);
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    ZelRef<IZelArrayCursor> Current;
    int Count = 0;
};

// A row: the ordinal of a homograph small and raised before it, then the headword.
class TZelLuListDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit TZelLuListDelegate(TZelLuListFrame* frame);
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    TZelLuListFrame* Frame;
};

class TZelLuListFrame : public QWidget {
    Q_OBJECT
public:
    explicit TZelLuListFrame(QWidget* parent = nullptr);
    ~TZelLuListFrame() override;

    // The dictionaries that have a headword list, in the chooser by their display names.
    void SetDictionaries(IZelDicList* list);
    // The same, then the first dictionary shown.
    void ShowDictionaries(IZelDicList* list);
    // A search's result, without a chooser.
    void ShowCursor(ZelRef<IZelArrayCursor> cursor);
    // Reads the cursor again after its contents changed.
    void Refresh();
    void SetPaneFont(const QFont& font);
    TZelLuListState GetState() const;
    void SetState(const TZelLuListState& state);

    // A row was chosen: the current unit.
    std::function<void(IZelLu* lu)> OnSelect;

    IZelArrayCursor* Cursor() const { return Model.Cursor(); }
    ZelRef<IZelLu> CurrentLu() const;
    ZelRef<IZelDic> CurrentDic() const;
    QComboBox* DicChooser() const { return Chooser; }
    QWidget* ChooserPanel() const { return ChooserBox; }
    QLineEdit* FindEdit() const { return Find; }
    QListView* List() const { return ListView; }
    QAction* ShowMultiwordsAction() const { return Multiwords; }
    QToolButton* MultiwordsButton() const { return MultiwordsToggle; }
    TZelLuListView& View() { return PaneView; }
    int RowHeight() const { return RowPixels; }
    int SelectedRow() const;
    int TopRow() const;
    int VisibleRows() const;
    // Widens the rows to a width drawn (the delegate's report).
    void NoteWidth(int width) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnChooserChange(int index);
    void ShowCursorNow(ZelRef<IZelArrayCursor> cursor);
    void ShowMultiwords(bool on);
    void OnTyped();
    void PositionFromFindBox();
    void PositionFromFindBoxNow();
    void Guarded(const std::function<void()>& step);
    void SelectRow(int row);
    void OnRowSelected(int row);
    void SetTopRow(int row);
    void SetFindText(const QString& text);
    void UpdateMultiwordsAction();
    void LayoutList();

    ZelRef<TZelDicList> Dics;
    TZelLuListModel Model;
    QWidget* ChooserBox;
    QComboBox* Chooser;
    QLineEdit* Find;
    QToolButton* MultiwordsToggle;
    QAction* Multiwords;
    QListView* ListView;
    TZelLuListView PaneView;
    mutable int WidestText = 16;
    int RowPixels = 16;
    QSet<QString> Told; // the errors of damaged files shown already
    bool Positioning = false;
    bool Filling = false;
};
