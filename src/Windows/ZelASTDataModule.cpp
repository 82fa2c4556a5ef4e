#include "ZelASTDataModule.h"

#include "ZelActions.h"
#include "ZelBaseDataModule.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QPainter>
#include <QTimer>

namespace {

TZelASTDataModule* Current = nullptr;

constexpr int NoWindowImage = 38;
constexpr int WindowImage = 39;
constexpr int OverlayImage = 40;
constexpr int WaitTicks = 6;
constexpr int MaxCaption = 80;

const char* const Context = "TZelASTDataModule";

const char* const HintText =
    QT_TRANSLATE_NOOP("TZelASTDataModule", "Analyze selected text from other application");
const char* const NoApplicationText = QT_TRANSLATE_NOOP(
    "TZelASTDataModule", "Command not available because no valid other application was detected");
const char* const UnavailableText = QT_TRANSLATE_NOOP("TZelASTDataModule", "Not available: %1");

// The platform's reasons, for the translation catalogue (looked up by their text).
[[maybe_unused]] const char* const PlatformReasons[] = {
    QT_TRANSLATE_NOOP("TZelASTDataModule",
                      "a Wayland session does not let one program read or control another's "
                      "windows"),
    QT_TRANSLATE_NOOP("TZelASTDataModule", "there is no X11 display"),
};

QString Translated(const char* text) {
    return QCoreApplication::translate(Context, text);
}

} // namespace

TZelASTDataModule* ZelASTModule() {
    return Current;
}

TZelASTDataModule::TZelASTDataModule(QObject* parent) : QObject(parent), Timer(new QTimer(this)) {
    setObjectName("ASTDataModule");
    static const std::vector<TZelActionSpec> table = {
        {"ActionsAnalyzeSelectedTextAction",
         QT_TRANSLATE_NOOP("TZelASTDataModule", "Analyze from &other Application"), nullptr,
         nullptr, 10404, NoWindowImage},
    };
    TZelImageList* images = ZelDataModule() ? &ZelDataModule()->NormalImages() : nullptr;
    Action = ZelCreateActions(this, Context, table, images)[0];
    Action->setObjectName("ActionsAnalyzeFromOtherApplicationAction");
    Action->setCheckable(true);
    Action->setEnabled(false);
    connect(Action, &QAction::triggered, this, [this] { Execute(); });
    Timer->setInterval(1000);
    connect(Timer, &QTimer::timeout, this, &TZelASTDataModule::Tick);
    OnBeep = [] { QApplication::beep(); };
    Current = this;
    UpdateAction();
}

TZelASTDataModule::~TZelASTDataModule() {
    if (Current == this)
        Current = nullptr;
}

void TZelASTDataModule::SetSampling(bool on) {
    Sampling = on;
    if (on && ZelDesktopWindows().UnavailableReason().empty())
        Timer->start();
    else
        Timer->stop();
    UpdateAction();
}

void TZelASTDataModule::Tick() {
    if (Waiting) {
        if (--Countdown <= 0) {
            StopWaiting();
            OnBeep();
        }
        return;
    }
    Sample();
}

void TZelASTDataModule::Sample() {
    if (QApplication::activeWindow())
        return; // this application is in front: nothing to offer
    std::optional<TZelForeignWindow> window = ZelDesktopWindows().ForegroundWindow();
    if (window && window->OwnProcess)
        return;
    if (window && window->Caption.size() > MaxCaption)
        window->Caption = QString::fromStdString(window->Caption).left(MaxCaption).toStdString();
    bool changed =
        window.has_value() != Foreground.has_value() ||
        (window && (window->Id != Foreground->Id || window->Caption != Foreground->Caption ||
                    window->Minimized != Foreground->Minimized));
    if (!changed)
        return;
    bool otherWindow = !Foreground || !window || window->Id != Foreground->Id;
    Foreground = window;
    if (otherWindow)
        UpdateImage();
    UpdateAction();
}

// The window's icon with the arrow of the action over it, or the action's own picture.
void TZelASTDataModule::UpdateImage() {
    TZelImageList* images = ZelDataModule() ? &ZelDataModule()->NormalImages() : nullptr;
    if (!Foreground || Foreground->Icon.empty() || !images) {
        if (images)
            Action->setIcon(images->Icon(NoWindowImage));
        return;
    }
    int size = Foreground->IconSize;
    QImage icon(reinterpret_cast<const uchar*>(Foreground->Icon.data()), size, size,
                QImage::Format_ARGB32);
    QPixmap picture(images->GetSize());
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.drawImage(picture.rect(), icon);
    painter.drawPixmap(0, 0, images->Pixmap(OverlayImage));
    painter.end();
    images->Replace(WindowImage, QIcon(picture));
    Action->setIcon(images->Icon(WindowImage));
}

void TZelASTDataModule::UpdateAction() {
    std::string unavailable = ZelDesktopWindows().UnavailableReason();
    bool enabled = Sampling && unavailable.empty() && Foreground && !Foreground->Minimized;
    Action->setEnabled(enabled || Waiting);
    QString hint = Translated(HintText);
    if (!unavailable.empty())
        hint = Translated(UnavailableText).arg(Translated(unavailable.c_str()));
    else if (enabled)
        hint += " (" + QString::fromStdString(Foreground->Caption) + ")";
    else if (Sampling)
        hint = Translated(NoApplicationText);
    Action->setToolTip(hint);
    Action->setStatusTip(hint);
}

void TZelASTDataModule::Execute() {
    if (Waiting) {
        Action->setChecked(true); // a wait is pending: nothing more
        return;
    }
    if (!Foreground || !ZelDesktopWindows().Activate(Foreground->Id)) {
        Action->setChecked(false);
        return;
    }
    Action->setChecked(true);
    Waiting = true;
    Countdown = WaitTicks;
    UpdateAction();
    // The selection of the other application is the primary selection on X11: when it
    // holds text, it is the copy; otherwise the application is asked to copy.
    // A primary selection of this program's own is not the other application's.
    QClipboard* clipboard = QApplication::clipboard();
    QString primary =
        clipboard->ownsSelection() ? QString() : clipboard->text(QClipboard::Selection);
    if (!primary.isEmpty())
        clipboard->setText(primary);
    else
        ZelDesktopWindows().SendCopyKeystroke();
}

void TZelASTDataModule::StopWaiting() {
    if (!Waiting)
        return;
    Waiting = false;
    Countdown = 0;
    Action->setChecked(false);
    Foreground.reset(); // forgotten: the next tick looks again
    UpdateImage();
    UpdateAction();
}
