// The query editor: one row per query field of the dictionary, each a sequence of condition
// boxes, over a query object it owns. Search runs the query with the progress window;
// QueryChanged tells the window when there is a new result to show.
#pragma once

#include "ZelLXQuery.h"

#include <QWidget>

#include <memory>
#include <vector>

class QAction;
class QHeaderView;
class QScrollArea;
class QStandardItemModel;
class QVBoxLayout;
class TZelDicLookProgressForm;
class TZelLXQueryItemFrame;
class TZelLXQueryItemsFrame;

class TZelLXQueryFrame : public QWidget {
    Q_OBJECT
public:
    explicit TZelLXQueryFrame(QWidget* parent = nullptr);
    ~TZelLXQueryFrame() override;

    // Makes the query (once, from the subclass's constructor).
    void Initialize();
    TZelLXQuery& Query() const { return *QueryObject; }
    // Brings the rows in line with the query's fields and conditions.
    virtual void Rebuild();
    QWidget* FirstControl() const;
    // The height that shows every row without scrolling (with what stands above them).
    int PreferredHeight() const;
    virtual bool IsWordFormEditor() const { return false; }

    // Runs the query with the progress window; false when it failed or was cancelled.
    bool Search();
    void ClearQuery();
    // A condition after the box's own, or the box's condition deleted.
    void AddCondition(TZelLXQueryItemFrame* box);
    void DeleteCondition(TZelLXQueryItemFrame* box);
    // A condition was edited: Search follows whether the query is complete.
    void ConditionChanged();

    const std::vector<TZelLXQueryItemsFrame*>& Rows() const { return RowFrames; }
    QHeaderView* Header() const { return HeaderView; }
    QAction* SearchAction() const { return RunAction; }
    QAction* ClearQueryAction() const { return ClearAction; }
    QAction* AddAction() const { return AddItemAction; }
    QAction* DeleteAction() const { return DeleteItemAction; }
    TZelDicLookProgressForm* ProgressWindow() const { return Progress.get(); }

signals:
    void QueryChanged();

protected:
    virtual std::unique_ptr<TZelLXQuery> CreateQuery() = 0;
    QScrollArea* ScrollBox() const { return Scroll; }

private:
    void RebuildHeader();
    void OnSectionResized(int section, int size);
    TZelLXQueryItemFrame* FocusedBox() const;
    void FocusBox(TZelLXQueryItemsFrame& row, int position);

    std::unique_ptr<TZelLXQuery> QueryObject;
    std::unique_ptr<TZelDicLookProgressForm> Progress;
    QScrollArea* Scroll;
    QWidget* Content;
    QVBoxLayout* ContentLayout;
    QHeaderView* HeaderView;
    QStandardItemModel* HeaderModel;
    std::vector<TZelLXQueryItemsFrame*> RowFrames;
    QAction* RunAction;
    QAction* ClearAction;
    QAction* AddItemAction;
    QAction* DeleteItemAction;
    bool Building = false;
};
