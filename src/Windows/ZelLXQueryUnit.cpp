#include "ZelLXQueryUnit.h"

#include "ZelActions.h"
#include "ZelBaseDataModule.h"
#include "ZelDialogs.h"
#include "ZelDicLookProgressUnit.h"
#include "ZelErrors.h"
#include "ZelLXQueryItemUnit.h"
#include "ZelLXQueryItemsUnit.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QScrollArea>
#include <QStandardItemModel>
#include <QVBoxLayout>

namespace {

const std::vector<TZelActionSpec>& QueryActions() {
    static const std::vector<TZelActionSpec> table{
        {"ActionsRunQueryAction", QT_TRANSLATE_NOOP("TZelLXQueryFrame", "Search"),
         QT_TRANSLATE_NOOP("TZelLXQueryFrame", "Search"), nullptr, 10411, 12,
         QKeySequence(Qt::Key_Return)},
        {"FileNewQueryAction", QT_TRANSLATE_NOOP("TZelLXQueryFrame", "Clear Query"),
         QT_TRANSLATE_NOOP("TZelLXQueryFrame", "Clear query"),
         QT_TRANSLATE_NOOP("TZelLXQueryFrame", "Erase the current query"), 10113, 4,
         QKeySequence(Qt::CTRL | Qt::Key_N)},
        {"QueryItemAddAction", QT_TRANSLATE_NOOP("TZelLXQueryFrame", "Add"),
         QT_TRANSLATE_NOOP("TZelLXQueryFrame", "Add condition"), nullptr, 23001, 1},
        {"QueryItemDeleteAction", QT_TRANSLATE_NOOP("TZelLXQueryFrame", "Delete"),
         QT_TRANSLATE_NOOP("TZelLXQueryFrame", "Delete condition"), nullptr, 23002, 0},
    };
    return table;
}

} // namespace

TZelLXQueryFrame::TZelLXQueryFrame(QWidget* parent)
    : QWidget(parent), Scroll(new QScrollArea(this)), Content(new QWidget),
      ContentLayout(new QVBoxLayout(Content)), HeaderView(new QHeaderView(Qt::Horizontal, Content)),
      HeaderModel(new QStandardItemModel(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Scroll);
    Scroll->setWidget(Content);
    Scroll->setWidgetResizable(false);
    // Tab goes to the conditions' boxes inside; the area only scrolls to the focused one.
    Scroll->setFocusPolicy(Qt::NoFocus);
    ContentLayout->setContentsMargins(0, 0, 0, 0);
    ContentLayout->setSpacing(0);
    ContentLayout->setSizeConstraint(QLayout::SetFixedSize);
    HeaderView->setModel(HeaderModel);
    HeaderView->setSectionsClickable(false);
    HeaderView->setDefaultAlignment(Qt::AlignCenter);
    HeaderView->setStretchLastSection(false);
    ContentLayout->addWidget(HeaderView);
    ContentLayout->addStretch();
    connect(HeaderView, &QHeaderView::sectionResized, this,
            [this](int section, int, int size) { OnSectionResized(section, size); });
    std::vector<QAction*> actions =
        ZelCreateActions(this, "TZelLXQueryFrame", QueryActions(), ZelToolbarPictures());
    RunAction = actions[0];
    ClearAction = actions[1];
    AddItemAction = actions[2];
    DeleteItemAction = actions[3];
    for (QAction* action : actions) {
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(action);
    }
    connect(RunAction, &QAction::triggered, this, [this] { Search(); });
    connect(ClearAction, &QAction::triggered, this, [this] { ClearQuery(); });
    connect(AddItemAction, &QAction::triggered, this, [this] {
        if (TZelLXQueryItemFrame* box = FocusedBox())
            AddCondition(box);
    });
    connect(DeleteItemAction, &QAction::triggered, this, [this] {
        if (TZelLXQueryItemFrame* box = FocusedBox())
            DeleteCondition(box);
    });
    RunAction->setEnabled(false);
}

TZelLXQueryFrame::~TZelLXQueryFrame() = default;

int TZelLXQueryFrame::PreferredHeight() const {
    int height = Content->sizeHint().height() + 2 * Scroll->frameWidth();
    QLayout* own = layout();
    for (int i = 0; i < own->count(); ++i)
        if (QWidget* widget = own->itemAt(i)->widget(); widget && widget != Scroll)
            height += widget->sizeHint().height() + own->spacing();
    QMargins margins = own->contentsMargins();
    return height + margins.top() + margins.bottom();
}

void TZelLXQueryFrame::Initialize() {
    if (!QueryObject)
        QueryObject = CreateQuery();
}

void TZelLXQueryFrame::Rebuild() {
    Initialize();
    Building = true;
    int fields = QueryObject->GetFieldCount();
    while (int(RowFrames.size()) > fields) {
        TZelLXQueryItemsFrame* row = RowFrames.back();
        RowFrames.pop_back();
        ContentLayout->removeWidget(row);
        row->hide();
        row->deleteLater();
    }
    while (int(RowFrames.size()) < fields) {
        auto* row = new TZelLXQueryItemsFrame(this, int(RowFrames.size()), Content);
        ContentLayout->insertWidget(int(RowFrames.size()) + 1, row);
        row->show();
        RowFrames.push_back(row);
    }
    for (int i = 0; i < fields; ++i)
        RowFrames[size_t(i)]->SyncWithConditions(QueryObject->GetFieldData(i));
    RebuildHeader();
    Building = false;
    ConditionChanged();
    emit QueryChanged();
}

// The label's column, then "Condition n" as wide as the first row's box of that column.
void TZelLXQueryFrame::RebuildHeader() {
    HeaderModel->clear();
    if (RowFrames.empty()) {
        HeaderView->hide();
        return;
    }
    HeaderView->show();
    std::vector<int> widths{RowFrames.front()->FieldLabel()->width()};
    for (TZelLXQueryItemsFrame* row : RowFrames)
        for (size_t column = widths.size() - 1; column < row->Boxes().size(); ++column)
            widths.push_back(row->Boxes()[column]->width());
    HeaderModel->setColumnCount(int(widths.size()));
    HeaderModel->setHorizontalHeaderItem(0, new QStandardItem(QString()));
    for (size_t i = 1; i < widths.size(); ++i)
        HeaderModel->setHorizontalHeaderItem(int(i), new QStandardItem(tr("Condition %1").arg(i)));
    int total = 0;
    bool building = Building;
    Building = true;
    for (size_t i = 0; i < widths.size(); ++i) {
        HeaderView->resizeSection(int(i), widths[i]);
        total += widths[i];
    }
    Building = building;
    HeaderView->setFixedSize(total, HeaderView->sizeHint().height());
}

void TZelLXQueryFrame::OnSectionResized(int section, int size) {
    if (Building)
        return;
    for (TZelLXQueryItemsFrame* row : RowFrames) {
        if (section == 0)
            row->SetLabelWidth(size);
        else
            row->SetBoxWidth(section - 1, size);
    }
    int total = 0;
    for (int i = 0; i < HeaderView->count(); ++i)
        total += HeaderView->sectionSize(i);
    HeaderView->setFixedWidth(total);
}

QWidget* TZelLXQueryFrame::FirstControl() const {
    if (RowFrames.empty() || RowFrames.front()->Boxes().empty())
        return nullptr;
    return RowFrames.front()->Boxes().front()->InputControl();
}

TZelLXQueryItemFrame* TZelLXQueryFrame::FocusedBox() const {
    for (QWidget* widget = QApplication::focusWidget(); widget; widget = widget->parentWidget())
        if (auto* box = qobject_cast<TZelLXQueryItemFrame*>(widget))
            return box;
    return nullptr;
}

void TZelLXQueryFrame::FocusBox(TZelLXQueryItemsFrame& row, int position) {
    if (row.Boxes().empty())
        return;
    position = std::clamp(position, 0, int(row.Boxes().size()) - 1);
    if (QWidget* input = row.Boxes()[size_t(position)]->InputControl())
        input->setFocus();
}

void TZelLXQueryFrame::AddCondition(TZelLXQueryItemFrame* box) {
    TZelLXQueryItemsData& data = *box->Item()->Owner;
    int position = box->Position() + 1;
    data.InsertCondition(position);
    for (TZelLXQueryItemsFrame* row : RowFrames)
        if (&QueryObject->GetFieldData(row->FieldIndex()) == &data) {
            row->SyncWithConditions(data);
            RebuildHeader();
            FocusBox(*row, position);
        }
    ConditionChanged();
}

// The box's condition goes; a field is never left without one.
void TZelLXQueryFrame::DeleteCondition(TZelLXQueryItemFrame* box) {
    TZelLXQueryItemsData& data = *box->Item()->Owner;
    int position = box->Position();
    data.DeleteCondition(position);
    if (data.GetCount() == 0)
        data.InsertCondition(0);
    for (TZelLXQueryItemsFrame* row : RowFrames)
        if (&QueryObject->GetFieldData(row->FieldIndex()) == &data) {
            row->SyncWithConditions(data);
            RebuildHeader();
            FocusBox(*row, position < data.GetCount() ? position : position - 1);
        }
    ConditionChanged();
}

void TZelLXQueryFrame::ConditionChanged() {
    if (Building)
        return;
    bool complete = false;
    try {
        complete = QueryObject && !QueryObject->IsEmpty();
    } catch (const std::exception&) {
        complete = false;
    }
    RunAction->setEnabled(complete);
}

void TZelLXQueryFrame::ClearQuery() {
    Initialize();
    QueryObject->ResetConditions();
    Rebuild();
    if (QWidget* first = FirstControl())
        first->setFocus();
}

bool TZelLXQueryFrame::Search() {
    Initialize();
    Progress = std::make_unique<TZelDicLookProgressForm>(window());
    TZelDicLookProgressForm* progress = Progress.get();
    QueryObject->OnProgress = [progress](TZelLXQuery&, int32_t position, int32_t found,
                                         int32_t total) {
        return progress->Progress(position, found, total);
    };
    bool done = false;
    std::exception_ptr failure;
    try {
        progress->Start();
        QApplication::processEvents();
        QueryObject->Run();
        ZelRef<IZelArrayCursor> result = QueryObject->GetResult();
        progress->SetItemsFound(result ? result->GetCount() : 0);
        if (!progress->IsCancelRequested())
            progress->Finish();
        done = true;
        emit QueryChanged();
    } catch (...) {
        failure = std::current_exception();
    }
    progress->CloseProgress();
    QueryObject->OnProgress = nullptr;
    if (failure) {
        try {
            std::rethrow_exception(failure);
        } catch (const std::exception& e) {
            ZelDialogs().ShowException(e);
        }
    }
    return done && !progress->IsCancelRequested();
}
