// Looking up text selected in another application: the action "Analyze from &other
// Application". While the language window's analysis is available, a sampler looks once a
// second at the application in the foreground (not this one, not the desktop or a file
// manager, not a window without a caption) and offers the action for it, with its icon.
// Run, the action brings that application to the front and obtains its selection: the
// X11 primary selection when it holds one, else a copy keystroke; the language window
// notices the clipboard change and pastes and analyses the text. Without a copy within six
// ticks the wait ends with a beep.
#pragma once

#include "ZelDesktopWindows.h"

#include <QObject>
#include <QString>

#include <optional>

class QAction;
class QTimer;

class TZelASTDataModule : public QObject {
    Q_OBJECT
public:
    explicit TZelASTDataModule(QObject* parent = nullptr);
    ~TZelASTDataModule() override;

    QAction* AnalyzeSelectedTextAction() const { return Action; }
    QTimer* Sampler() const { return Timer; }

    void SetSampling(bool on);
    bool IsSampling() const { return Sampling; }
    bool IsWaiting() const { return Waiting; }
    // The copy arrived (the window that received it says so).
    void StopWaiting();
    // One tick of the sampler (the timer's, or a test's).
    void Tick();
    // The window the action is offered for, if any.
    const std::optional<TZelForeignWindow>& Remembered() const { return Foreground; }
    // The beep that ends a wait without a copy (QApplication::beep; tests count).
    std::function<void()> OnBeep;

private:
    void Sample();
    void Execute();
    void UpdateImage();
    void UpdateAction();

    QAction* Action = nullptr;
    QTimer* Timer;
    std::optional<TZelForeignWindow> Foreground;
    bool Sampling = false;
    bool Waiting = false;
    int Countdown = 0;
};

// The program's module (none before it is made).
TZelASTDataModule* ZelASTModule();
