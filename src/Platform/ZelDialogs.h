// How the engine talks to the person using it: the application's exception box and the
// message boxes of a few helpers. A window front end installs its own implementation; the
// default one (command-line tools, tests) writes to standard error and answers "Cancel".
#pragma once

#include <exception>
#include <memory>
#include <string>

enum class TZelMsgButtons { Ok, OkCancel, RetryCancel };
enum class TZelMsgIcon { None, Information, Warning, Error };
enum class TZelMsgResult { Ok, Retry, Cancel };

class TZelDialogs {
public:
    virtual ~TZelDialogs() = default;
    // Shows an exception that reached the top of an action.
    virtual void ShowException(const std::exception& e);
    virtual TZelMsgResult MessageBox(const std::string& caption, const std::string& text,
                                     TZelMsgButtons buttons, TZelMsgIcon icon);
};

TZelDialogs& ZelDialogs();
// Installs another implementation (nullptr restores the default); returns the previous one.
std::shared_ptr<TZelDialogs> ZelSetDialogs(std::shared_ptr<TZelDialogs> dialogs);
