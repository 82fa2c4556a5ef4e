#include "ZelSound.h"

namespace {
std::shared_ptr<TZelSoundPlayer>& Current() {
    static std::shared_ptr<TZelSoundPlayer> current = std::make_shared<TZelSoundPlayer>();
    return current;
}
} // namespace

TZelSoundPlayer& ZelSoundPlayer() {
    return *Current();
}

std::shared_ptr<TZelSoundPlayer> ZelSetSoundPlayer(std::shared_ptr<TZelSoundPlayer> player) {
    auto previous = Current();
    Current() = player ? std::move(player) : std::make_shared<TZelSoundPlayer>();
    return previous;
}
