// The messages windows exchange: settings changed (broadcast after the settings object
// changed, for instance after a zoom), save settings (every window writes its own values)
// and paste and analyse (the language window's queued call). Each reaches every top-level
// window of the application as an event of its own type.
#pragma once

#include <QEvent>

enum TZelAppEvent : int {
    ZelSettingsChangedEvent = QEvent::User + 97,
    ZelSaveSettingsEvent = QEvent::User + 98,
    ZelPasteAndAnalyzeEvent = QEvent::User + 101,
};

// A window inside another that sets this property to true receives the messages as well
// (a view docked in the main window).
inline constexpr const char* ZelAppEventsProperty = "ZelAppEvents";

// Posts the event to every top-level window (delivered from the event loop).
void ZelPostToTopLevelWindows(TZelAppEvent type);
// Sends the event to every top-level window at once, in turn.
void ZelSendToTopLevelWindows(TZelAppEvent type);
