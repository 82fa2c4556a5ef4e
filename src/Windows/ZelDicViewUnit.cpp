#include "ZelDicViewUnit.h"

#include "ZelActions.h"
#include "ZelAppEvents.h"
#include "ZelBaseAppData.h"
#include "ZelBaseAppUnit.h"
#include "ZelBaseDataModule.h"
#include "ZelErrors.h"
#include "ZelGradient.h"
#include "ZelGuiTranslations.h"
#include "ZelLangConfig.h"
#include "ZelSettingsStore.h"
#include "ZelViewManagerUnit.h"

#include <QAction>
#include <QIcon>
#include <QToolBar>
#include <QVBoxLayout>

#include <set>

namespace {

// The window names in use, so that two windows of a class never share a settings key.
std::set<QString>& NamesInUse() {
    static std::set<QString> names;
    return names;
}

QString FreeName(const QString& defaultName) {
    if (!NamesInUse().count(defaultName))
        return defaultName;
    for (int suffix = 1;; ++suffix) {
        QString name = defaultName + "_" + QString::number(suffix);
        if (!NamesInUse().count(name))
            return name;
    }
}

const std::vector<TZelActionSpec>& ViewActions() {
    static const std::vector<TZelActionSpec> table{
        {"DockAction", QT_TRANSLATE_NOOP("TZelDicViewForm", "Dock this window"),
         QT_TRANSLATE_NOOP("TZelDicViewForm", "Dock this window at the main window"), nullptr,
         19001, 35},
        {"FloatAction", QT_TRANSLATE_NOOP("TZelDicViewForm", "Float this window"),
         QT_TRANSLATE_NOOP("TZelDicViewForm", "Float this window"), nullptr, 19002, 34},
    };
    return table;
}

} // namespace

TZelDicViewForm::TZelDicViewForm(const QString& defaultName, QWidget* parent)
    : QWidget(parent), Background(new TZelGradientPanel(this)) {
    setObjectName(FreeName(defaultName));
    NamesInUse().insert(objectName());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Background);
    // Blue fading into the button face, the product logo in the corner.
    Background->SetGradient(
        {QColor(0, 0, 255), palette().color(QPalette::Button), Qt::Vertical, 128});
    Background->SetCornerPicture(QIcon(":/images/logo.svg").pixmap(QSize(64, 64)));

    Toolbar = new QToolBar(this);
    ZelNameToolbarExtension(Toolbar);
    Toolbar->setObjectName("ViewToolbar");
    Toolbar->setIconSize(QSize(16, 16));
    Toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    layout->insertWidget(0, Toolbar);
    std::vector<QAction*> actions =
        ZelCreateActions(this, "TZelDicViewForm", ViewActions(), ZelToolbarPictures());
    DockItem = actions[0];
    FloatItem = actions[1];
    for (QAction* action : actions) {
        Toolbar->addAction(action);
        addAction(action); // the context menu
    }
    setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(DockItem, &QAction::triggered, this, [this] { SetDocked(true); });
    connect(FloatItem, &QAction::triggered, this, [this] { SetDocked(false); });
    UpdateDockItems();
    setProperty(ZelAppEventsProperty, true);
    // The window's font follows the system's menu font, now and when it changes.
    auto matchMenuFont = [this] {
        QFont matched = font();
        TZelBaseAppDataModule::MatchMenuFont(matched);
        setFont(matched);
    };
    matchMenuFont();
    if (TZelBaseAppDataModule* module = ZelDataModule())
        connect(module, &TZelBaseAppDataModule::SystemFontChanged, this, matchMenuFont);
}

TZelDicViewForm::~TZelDicViewForm() {
    TZelBaseAppDataModule* module = ZelDataModule();
    if (module && module->SaveSettingsOnExitAction() &&
        module->SaveSettingsOnExitAction()->isChecked()) {
        try {
            SavePosition();
        } catch (const EZelError&) {
            // A store that cannot be written loses the position, never the program.
        }
    }
    NamesInUse().erase(objectName());
}

void TZelDicViewForm::SetViewConfig(TZelDicViewConfig* config) {
    Config = config;
    if (config)
        setWindowTitle(ZelGuiTranslate(config->GetDisplayName()));
}

bool TZelDicViewForm::CanShow(IZelSentenceItem* item) {
    return item != nullptr;
}

void TZelDicViewForm::Render(IZelSentenceItem&, bool& shown) {
    shown = false;
}

void TZelDicViewForm::OnHover(QWidget*, const QPoint&) {}

void TZelDicViewForm::SetContentVisible(bool) {}

bool TZelDicViewForm::SetLu(IZelSentenceItem* item) {
    Item = item;
    Refresh();
    return CanShow(item);
}

void TZelDicViewForm::Refresh() {
    if (isVisible())
        RenderNow();
    else
        Rendered = false;
}

void TZelDicViewForm::RenderNow() {
    bool shown = false;
    if (Item) {
        emit Rendering();
        BeginRender();
        try {
            Render(*Item, shown);
        } catch (...) {
            EndRender();
            SetContentVisible(false);
            Rendered = true;
            throw;
        }
        EndRender();
    }
    SetContentVisible(shown);
    Rendered = true;
}

void TZelDicViewForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!Rendered)
        RenderNow();
}

void TZelDicViewForm::UpdateDockItems() {
    DockItem->setVisible(!Docked);
    FloatItem->setVisible(Docked);
}

void TZelDicViewForm::SetDocked(bool docked) {
    if (docked != Docked)
        PlaceDocked(docked);
}

void TZelDicViewForm::PlaceDocked(bool docked) {
    if (Manager)
        docked ? Manager->Dock(this) : Manager->Undock(this);
    else
        SetDockedState(docked);
}

// Floating: a tool window of the manager's window that stays on top, without the title
// bar's buttons, at the bounds it had (kept on a screen that exists).
void TZelDicViewForm::SetDockedState(bool docked) {
    Docked = docked;
    if (!docked) {
        QWidget* owner = Manager ? Manager->window() : nullptr;
        setParent(owner, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                             Qt::WindowTitleHint);
        setGeometry(ZelOnAScreen(Bounds));
    }
    UpdateDockItems();
}

std::string TZelDicViewForm::SettingsKey() const {
    return ZelWindowSettingsKey(objectName().toStdString());
}

void TZelDicViewForm::LoadPosition() {
    std::unique_ptr<TZelSettingsKey> key;
    try {
        key = ZelSettings().OpenKey(TZelHive::CurrentUser, SettingsKey(), false);
    } catch (const EZelError&) {
    }
    bool docked = true;
    if (key) {
        QRect bounds = Bounds;
        if (auto bottom = ZelReadIntegerOrNone(*key, "Bottom"))
            bounds.setBottom(*bottom - 1);
        if (auto left = ZelReadIntegerOrNone(*key, "Left"))
            bounds.setLeft(*left);
        if (auto right = ZelReadIntegerOrNone(*key, "Right"))
            bounds.setRight(*right - 1);
        if (auto top = ZelReadIntegerOrNone(*key, "Top"))
            bounds.setTop(*top);
        if (bounds.isValid())
            Bounds = bounds;
        try {
            docked = key->ReadInteger("Docked").value_or(1) != 0;
        } catch (const EZelError&) {
        }
    }
    PlaceDocked(docked);
}

void TZelDicViewForm::SavePosition() {
    std::unique_ptr<TZelSettingsKey> key =
        ZelSettings().OpenKey(TZelHive::CurrentUser, SettingsKey(), true);
    if (!Docked && isWindow())
        Bounds = geometry();
    key->WriteInteger("Left", Bounds.left());
    key->WriteInteger("Top", Bounds.top());
    key->WriteInteger("Right", Bounds.left() + Bounds.width());
    key->WriteInteger("Bottom", Bounds.top() + Bounds.height());
    key->WriteInteger("Docked", Docked ? 1 : 0);
}

bool TZelDicViewForm::event(QEvent* event) {
    if (event->type() == QEvent::Type(ZelSettingsChangedEvent)) {
        ApplySettings();
        return true;
    }
    if (event->type() == QEvent::Type(ZelSaveSettingsEvent)) {
        try {
            SavePosition();
        } catch (const EZelError&) {
        }
        return true;
    }
    return QWidget::event(event);
}

void TZelDicViewForm::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (!Docked && isWindow() && isVisible())
        Bounds = geometry();
}

void TZelDicViewForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!Docked && isWindow() && isVisible())
        Bounds = geometry();
}
