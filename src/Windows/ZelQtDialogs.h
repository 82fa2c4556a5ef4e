// The dialogs of the engine (its exception box, its confirmations) as Qt message boxes
// over the active window.
#pragma once

#include "ZelDialogs.h"

class TZelQtDialogs : public TZelDialogs {
public:
    void ShowException(const std::exception& e) override;
    TZelMsgResult MessageBox(const std::string& caption, const std::string& text,
                             TZelMsgButtons buttons, TZelMsgIcon icon) override;
};
