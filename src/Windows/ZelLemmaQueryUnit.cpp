#include "ZelLemmaQueryUnit.h"

#include "ZelActions.h"
#include "ZelBaseDataModule.h"
#include "ZelGuiTranslations.h"
#include "ZelHelpContext.h"
#include "ZelQtText.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const std::vector<TZelActionSpec>& LemmaActions() {
    static const std::vector<TZelActionSpec> table{
        {"ShowTextFoundAction", QT_TRANSLATE_NOOP("TZelLemmaQueryFrame", "Show Text Found"),
         QT_TRANSLATE_NOOP("TZelLemmaQueryFrame", "Show text found"), nullptr, 23102, 37,
         QKeySequence(Qt::CTRL | Qt::Key_T), true},
        {"QueryItemCaseSensitiveAction",
         QT_TRANSLATE_NOOP("TZelLemmaQueryFrame", "Case Sensitive Query"),
         QT_TRANSLATE_NOOP("TZelLemmaQueryFrame", "Case sensitive query"),
         nullptr,
         23103,
         30,
         {},
         true},
        {"QueryMultiwordsAction", QT_TRANSLATE_NOOP("TZelLemmaQueryFrame", "Query Multiwords"),
         QT_TRANSLATE_NOOP("TZelLemmaQueryFrame", "Query also multiwords"), nullptr, 23101, 41,
         QKeySequence(Qt::CTRL | Qt::Key_P), true},
    };
    return table;
}

} // namespace

TZelLemmaQueryFrame::TZelLemmaQueryFrame(QWidget* parent)
    : TZelLXQueryFrame(parent), TopPanel(new QWidget), Chooser(new QComboBox) {
    setObjectName("ZelLemmaQueryFrame");
    ZelSetHelpContext(ScrollBox(), 8015);
    auto* outer = static_cast<QVBoxLayout*>(layout());
    auto* top = new QHBoxLayout(TopPanel);
    top->setContentsMargins(4, 2, 4, 2);
    top->addWidget(new QLabel(tr("Dictionary:")));
    top->addWidget(Chooser, 1);
    Chooser->setObjectName("DictionaryComboBox");
    outer->insertWidget(0, TopPanel);
    TopPanel->hide();
    // The three switches on a narrow panel left of the rows.
    outer->removeWidget(ScrollBox());
    auto* middle = new QHBoxLayout;
    middle->setSpacing(0);
    auto* switches = new QVBoxLayout;
    switches->setContentsMargins(2, 2, 2, 2);
    std::vector<QAction*> actions =
        ZelCreateActions(this, "TZelLemmaQueryFrame", LemmaActions(), ZelToolbarPictures());
    ShowTextFound = actions[0];
    CaseSensitive = actions[1];
    Multiwords = actions[2];
    for (QAction* action : actions) {
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(action);
        auto* button = new QToolButton;
        button->setDefaultAction(action);
        button->setAutoRaise(true);
        button->setFixedSize(26, 26);
        switches->addWidget(button);
    }
    switches->addStretch();
    auto* switchPanel = new QWidget;
    switchPanel->setFixedWidth(30);
    switchPanel->setLayout(switches);
    middle->addWidget(switchPanel);
    middle->addWidget(ScrollBox(), 1);
    outer->addLayout(middle, 1);
    ShowTextFound->setChecked(true);
    connect(ShowTextFound, &QAction::toggled, this, [this](bool on) {
        if (Query().GetDic())
            LemmaQuery().SetShowTextFound(on);
        if (OnShowTextFoundChanged)
            OnShowTextFoundChanged();
    });
    connect(CaseSensitive, &QAction::toggled, this,
            [this](bool on) { LemmaQuery().SetCaseSensitive(on); });
    connect(Multiwords, &QAction::toggled, this,
            [this](bool on) { LemmaQuery().SetQueryMultiwords(on); });
    connect(Chooser, &QComboBox::currentTextChanged, this, [this](const QString& name) {
        if (Filling || name.isEmpty())
            return;
        int index = Chooser->currentIndex();
        if (index >= 0 && index < int(Offered.size()))
            Query().SetDic(Offered[size_t(index)]);
        Rebuild();
    });
    Initialize();
}

std::unique_ptr<TZelLXQuery> TZelLemmaQueryFrame::CreateQuery() {
    return std::make_unique<TZelLemmaQuery>();
}

void TZelLemmaQueryFrame::SetDictionaries(IZelDicList* list) {
    Filling = true;
    Chooser->clear();
    Names.clear();
    Offered.clear();
    for (int32_t i = 0; list && i < list->GetCount(); ++i) {
        ZelRef<IZelDic> dic = list->GetDic(i);
        if (!dic || !dic->HasLuList() || !dic->GetQueryFields() ||
            dic->GetQueryFields()->GetCount() == 0)
            continue;
        QString name = ZelQString(dic->GetName());
        Names.append(name);
        Offered.push_back(dic);
        Chooser->addItem(ZelGuiTranslate(name));
    }
    Filling = false;
    TopPanel->setVisible(Chooser->count() > 1);
    if (!Names.isEmpty()) {
        Query().SetDic(Offered.front()); // the list's own, installed or not
        if (isVisible())
            LemmaQuery().SetShowTextFound(ShowTextFound->isChecked());
        Rebuild();
    }
}

void TZelLemmaQueryFrame::Rebuild() {
    if (!Query().GetDic())
        return;
    TZelLXQueryFrame::Rebuild();
    int index = Names.indexOf(ZelQString(Query().GetDic()->GetName()));
    Filling = true;
    Chooser->setCurrentIndex(index);
    Filling = false;
    Multiwords->setVisible(Query().GetDic()->HasMultiwordFilter());
    Multiwords->setChecked(LemmaQuery().GetQueryMultiwords());
}

void TZelLemmaQueryFrame::showEvent(QShowEvent* event) {
    TZelLXQueryFrame::showEvent(event);
    if (Query().GetDic())
        LemmaQuery().SetShowTextFound(ShowTextFound->isChecked());
}

void TZelLemmaQueryFrame::hideEvent(QHideEvent* event) {
    TZelLXQueryFrame::hideEvent(event);
    if (Query().GetDic())
        LemmaQuery().SetShowTextFound(false); // text found is marked only while searching
}
