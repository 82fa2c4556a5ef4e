#include "ZelViewManagerUnit.h"

#include "ZelActions.h"
#include "ZelBaseDataModule.h"
#include "ZelConfig.h"
#include "ZelDialogs.h"
#include "ZelDicViewUnit.h"
#include "ZelErrors.h"
#include "ZelGradient.h"
#include "ZelHelpContext.h"
#include "ZelLangConfig.h"

#include <QIcon>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QStackedWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int TabHelpContext = 24099;

const std::vector<TZelActionSpec>& ManagerActions() {
    static const std::vector<TZelActionSpec> table{
        {"GoBackAction", QT_TRANSLATE_NOOP("TZelViewManagerFrame", "Back"),
         QT_TRANSLATE_NOOP("TZelViewManagerFrame", "Go back"), nullptr, 24001, 15,
         QKeySequence(Qt::ALT | Qt::Key_Left)},
        {"GoForwardAction", QT_TRANSLATE_NOOP("TZelViewManagerFrame", "Forward"),
         QT_TRANSLATE_NOOP("TZelViewManagerFrame", "Go forward"), nullptr, 24002, 16,
         QKeySequence(Qt::ALT | Qt::Key_Right)},
    };
    return table;
}

// The settings object's configuration of a pair.
TZelLangConfig* SettingsLangConfig(TZelLanguage source, TZelLanguage target) {
    TZelBaseAppDataModule* module = ZelDataModule();
    auto* config = module ? dynamic_cast<TZelDicLookConfig*>(module->GetConfig()) : nullptr;
    return config ? config->LangConfigList.FindOrAdd(source, target) : nullptr;
}

// The letters after "&" in the captions of a window's top-level menus.
QString MenuLetters(QWidget* widget) {
    QString letters;
    auto* main = qobject_cast<QMainWindow*>(widget ? widget->window() : nullptr);
    if (!main || !main->menuWidget())
        return letters;
    for (QAction* menu : main->menuBar()->actions()) {
        QString caption = menu->text();
        int amp = int(caption.indexOf('&'));
        if (amp >= 0 && amp + 1 < caption.size())
            letters += caption[amp + 1].toLower();
    }
    return letters;
}

} // namespace

TZelDockedControlAction::TZelDockedControlAction(TZelDicViewForm* view, QObject* parent)
    : QAction(parent), DockedView(view) {
    setCheckable(true);
    setEnabled(false);
    setVisible(false);
    ZelSetHelpContext(this, TabHelpContext);
}

TZelViewManagerFrame::TZelViewManagerFrame(QWidget* parent)
    : QWidget(parent), LangConfigs(SettingsLangConfig), Bar(new QToolBar(this)),
      Stack(new QStackedWidget(this)), EmptyPanel(new TZelGradientPanel(this)) {
    setObjectName("ViewManagerFrame");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    Bar->setObjectName("ViewManagerToolbar");
    ZelNameToolbarExtension(Bar);
    Bar->setIconSize(QSize(16, 16));
    Bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    layout->addWidget(Bar);
    layout->addWidget(Stack, 1);

    std::vector<QAction*> actions =
        ZelCreateActions(this, "TZelViewManagerFrame", ManagerActions(), ZelToolbarPictures());
    Back = actions[0];
    Forward = actions[1];
    for (QAction* action : actions) {
        Bar->addAction(action);
        action->setShortcutContext(Qt::WindowShortcut);
    }
    // Back and Forward as pictures (their tooltips name them), so that the tabs have room.
    for (QAction* action : actions)
        if (auto* button = qobject_cast<QToolButton*>(Bar->widgetForAction(action)))
            button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    Bar->addSeparator();
    connect(Back, &QAction::triggered, this, &TZelViewManagerFrame::GoBack);
    connect(Forward, &QAction::triggered, this, &TZelViewManagerFrame::GoForward);

    // While no tab is shown: a sunken panel with the publisher's logo in its middle.
    EmptyPanel->setObjectName("ViewManagerBackground");
    EmptyPanel->SetGradient(
        {palette().color(QPalette::Dark), palette().color(QPalette::Button), Qt::Vertical, 128});
    auto* logo = new QLabel(EmptyPanel);
    logo->setPixmap(QIcon(":/images/publisher.svg").pixmap(QSize(160, 64)));
    logo->setAlignment(Qt::AlignCenter);
    auto* logoLayout = new QVBoxLayout(EmptyPanel);
    logoLayout->addWidget(logo);
    Stack->addWidget(EmptyPanel);
    UpdateNavigation();
}

TZelViewManagerFrame::~TZelViewManagerFrame() {
    FreeViews();
}

TZelDicViewForm* TZelViewManagerFrame::CurrentView() const {
    for (TZelDockedControlAction* tab : Tabs)
        if (tab->isChecked())
            return tab->View();
    return nullptr;
}

void TZelViewManagerFrame::ShowLu(IZelSentenceItem* item) {
    History.Clear();
    if (item)
        History.Push(ZelRef<IZelUnknown>(item));
    Display(item);
}

void TZelViewManagerFrame::NavigateTo(IZelSentenceItem* item) {
    History.Push(ZelRef<IZelUnknown>(item));
    Display(item);
}

void TZelViewManagerFrame::GoBack() {
    if (!History.CanGoBack())
        return;
    History.GoBack();
    Display(ZelQuery<IZelSentenceItem>(History.GetAt(History.GetIndex())).get());
}

void TZelViewManagerFrame::GoForward() {
    if (!History.CanGoForward())
        return;
    History.GoForward();
    Display(ZelQuery<IZelSentenceItem>(History.GetAt(History.GetIndex())).get());
}

// A unit of the other language switches to the pair that reads it (a cross-reference from
// an English entry to an Italian word shows the Italian views).
void TZelViewManagerFrame::Display(IZelSentenceItem* item) {
    if (item && Config && item->GetLanguage() != 0 &&
        item->GetLanguage() != Config->GetSourceLang() && LangConfigs)
        if (TZelLangConfig* other = LangConfigs(item->GetLanguage(), Config->GetSourceLang()))
            SetLangConfig(other);
    Current = item;
    UpdateNavigation();
    emit LuChanged(item);
    RefreshViews();
}

void TZelViewManagerFrame::UpdateNavigation() {
    Back->setEnabled(History.CanGoBack());
    Forward->setEnabled(History.CanGoForward());
}

void TZelViewManagerFrame::RefreshViews() {
    Dirty = true;
    ScheduleRefresh();
}

// The idle moment: once every event already queued is handled.
void TZelViewManagerFrame::ScheduleRefresh() {
    if (RefreshScheduled)
        return;
    RefreshScheduled = true;
    QTimer::singleShot(0, this, [this] {
        RefreshScheduled = false;
        RefreshNow();
    });
}

void TZelViewManagerFrame::RefreshNow() {
    if (!Dirty)
        return;
    Dirty = false;
    std::vector<TZelDicViewForm*> all = Views;
    for (TZelDicViewForm* view : {FormsView, Kind2View})
        if (view)
            all.push_back(view);
    for (TZelDicViewForm* view : all) {
        bool canShow = false;
        try {
            canShow = view->SetLu(Current.get());
        } catch (const std::exception& e) {
            ZelDialogs().ShowException(e); // one view failing leaves the others
        }
        if (view->TabAction())
            view->TabAction()->setEnabled(canShow);
    }
    for (size_t i = 0; i < Tabs.size(); ++i)
        if (Tabs[i]->isChecked() && Tabs[i]->isVisible() && !Tabs[i]->isEnabled()) {
            SelectNearestTab(0);
            break;
        }
}

void TZelViewManagerFrame::SetLangConfig(TZelLangConfig* config) {
    if (Config && config && SamePersistent(Config.get(), config))
        return;
    FreeViews();
    Annotations = nullptr;
    if (!config) {
        Config.reset();
        return;
    }
    Config = std::make_unique<TZelLangConfig>();
    CopyPersistent(*Config, *config);
    for (int32_t i = 0; i < Config->DicViewConfigList.GetItemCount(); ++i) {
        TZelDicViewConfig& viewConfig = Config->DicViewConfigList.GetItem(i);
        ZelRef<IZelDicEditable> annotations;
        for (int32_t d = 0; d < viewConfig.DicConfigList.GetItemCount(); ++d) {
            ZelRef<IZelDic> dic = viewConfig.DicConfigList.GetItem(d).GetDic();
            if (dic && dic->GetId().rfind("Ann", 0) == 0) {
                annotations = ZelQuery<IZelDicEditable>(dic);
                break;
            }
        }
        Annotations = annotations; // the last configuration's is the one kept
        if (TZelDicViewForm* view = CreateView(0, &viewConfig))
            Views.push_back(view);
    }
    FormsView = CreateView(1, nullptr);
    Kind2View = CreateView(2, nullptr);
    SelectNearestTab(0);
    if (Current)
        RefreshViews();
}

void TZelViewManagerFrame::FreeViews() {
    std::vector<TZelDicViewForm*> all = Views;
    for (TZelDicViewForm* view : {FormsView, Kind2View})
        if (view)
            all.push_back(view);
    Views.clear();
    FormsView = Kind2View = nullptr;
    for (TZelDicViewForm* view : all)
        FreeView(view);
    for (QAction* item : TabItems) {
        Bar->removeAction(item);
        delete item;
    }
    TabItems.clear();
    UpdateBackground();
}

void TZelViewManagerFrame::FreeView(TZelDicViewForm* view) {
    TZelDockedControlAction* tab = view->TabAction();
    ZEL_ASSERT(tab != nullptr);
    Tabs.erase(std::remove(Tabs.begin(), Tabs.end(), tab), Tabs.end());
    view->SetTabAction(nullptr);
    Bar->removeAction(tab);
    Stack->removeWidget(view);
    delete view; // saves its position when the settings are saved on exit
    delete tab;
}

TZelDicViewForm* TZelViewManagerFrame::CreateView(int kind, TZelDicViewConfig* config) {
    if (!Factory)
        return nullptr;
    TZelDicViewForm* view = Factory(kind, config);
    if (!view)
        return nullptr;
    view->SetManager(this);
    if (Tabs.empty())
        UsedLetters = MenuLetters(this);
    auto* tab = new TZelDockedControlAction(view, this);
    tab->setText(WithAccelerator(view->windowTitle()));
    // The accelerator works from the keyboard too: Alt and its letter bring the view up.
    tab->setShortcut(QKeySequence::mnemonic(tab->text()));
    tab->setShortcutContext(Qt::WindowShortcut);
    tab->setToolTip(view->windowTitle());
    if (const TZelImageList* pictures = ZelToolbarPictures())
        tab->setIcon(pictures->Icon(view->ImageIndex()));
    connect(tab, &QAction::triggered, this, [this, tab] { ExecuteTab(tab); });
    Tabs.push_back(tab);
    view->SetTabAction(tab);
    TabItems.push_back(Bar->addSeparator());
    Bar->addAction(tab);
    view->LoadPosition();
    if (!view->IsDocked())
        view->show();
    return view;
}

// The first letter of the caption that no menu of the window and no earlier tab uses.
QString TZelViewManagerFrame::WithAccelerator(const QString& caption) {
    for (int i = 0; i < caption.size(); ++i) {
        QChar letter = caption[i].toLower();
        if (letter.isSpace() || letter == '&' || UsedLetters.contains(letter))
            continue;
        UsedLetters += letter;
        QString result = caption;
        result.insert(i, '&');
        return result;
    }
    return caption;
}

int TZelViewManagerFrame::IndexOfTab(TZelDicViewForm* view) const {
    for (size_t i = 0; i < Tabs.size(); ++i)
        if (Tabs[i]->View() == view)
            return int(i);
    return -1;
}

// From position k up, the first visible and enabled tab; else down from k - 1; else any
// visible tab up, then down.
void TZelViewManagerFrame::SelectNearestTab(int from) {
    int count = int(Tabs.size());
    auto pick = [&](bool needEnabled) -> TZelDockedControlAction* {
        for (int i = std::max(from, 0); i < count; ++i)
            if (Tabs[size_t(i)]->isVisible() && (!needEnabled || Tabs[size_t(i)]->isEnabled()))
                return Tabs[size_t(i)];
        for (int i = std::min(from - 1, count - 1); i >= 0; --i)
            if (Tabs[size_t(i)]->isVisible() && (!needEnabled || Tabs[size_t(i)]->isEnabled()))
                return Tabs[size_t(i)];
        return nullptr;
    };
    TZelDockedControlAction* tab = pick(true);
    if (!tab)
        tab = pick(false);
    if (tab)
        ExecuteTab(tab);
    else
        UpdateBackground();
}

void TZelViewManagerFrame::ExecuteTab(TZelDockedControlAction* tab) {
    ZEL_ASSERT(tab->isVisible());
    for (TZelDockedControlAction* other : Tabs)
        if (other != tab && other->isChecked())
            other->setChecked(false);
    tab->setChecked(true);
    Stack->setCurrentWidget(tab->View());
    tab->View()->show();
    UpdateBackground();
}

void TZelViewManagerFrame::UpdateBackground() {
    if (!CurrentView() || CurrentView()->parentWidget() != Stack)
        Stack->setCurrentWidget(EmptyPanel);
}

void TZelViewManagerFrame::Dock(TZelDicViewForm* view) {
    TZelDockedControlAction* tab = view->TabAction();
    ZEL_ASSERT(tab != nullptr);
    if (view->isWindow() && view->isVisible())
        view->SetFloatingBounds(view->geometry());
    view->hide();
    view->setWindowFlags(Qt::Widget);
    Stack->addWidget(view);
    view->SetDockedState(true);
    tab->setVisible(true);
    ExecuteTab(tab);
}

void TZelViewManagerFrame::Undock(TZelDicViewForm* view) {
    TZelDockedControlAction* tab = view->TabAction();
    ZEL_ASSERT(tab != nullptr);
    if (Stack->indexOf(view) >= 0)
        Stack->removeWidget(view);
    bool wasChecked = tab->isChecked();
    tab->setChecked(false);
    tab->setVisible(false);
    view->SetDockedState(false);
    view->show();
    if (wasChecked || !CurrentView())
        SelectNearestTab(IndexOfTab(view));
    UpdateBackground();
}

void TZelViewManagerFrame::SelectView(int index, int argument) {
    if (index < 0 || index >= int(Views.size()))
        return;
    TZelDicViewForm* view = Views[size_t(index)];
    ZEL_ASSERT(view->TabAction() != nullptr);
    if (view->IsDocked()) {
        ExecuteTab(view->TabAction());
    } else {
        view->setAttribute(Qt::WA_ShowWithoutActivating);
        view->show();
        view->raise();
    }
    view->SetViewArgument(argument);
}

void TZelViewManagerFrame::Hover(QWidget* window, const QPoint& screenPoint) {
    for (TZelDicViewForm* view : Views)
        view->OnHover(window, screenPoint);
}
