#include "ZelDialogs.h"

#include <cstdio>

namespace {
std::shared_ptr<TZelDialogs>& Current() {
    static std::shared_ptr<TZelDialogs> current = std::make_shared<TZelDialogs>();
    return current;
}
} // namespace

void TZelDialogs::ShowException(const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
}

TZelMsgResult TZelDialogs::MessageBox(const std::string& caption, const std::string& text,
                                      TZelMsgButtons buttons, TZelMsgIcon) {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    return buttons == TZelMsgButtons::Ok ? TZelMsgResult::Ok : TZelMsgResult::Cancel;
}

TZelDialogs& ZelDialogs() {
    return *Current();
}

std::shared_ptr<TZelDialogs> ZelSetDialogs(std::shared_ptr<TZelDialogs> dialogs) {
    auto previous = Current();
    Current() = dialogs ? std::move(dialogs) : std::make_shared<TZelDialogs>();
    return previous;
}
