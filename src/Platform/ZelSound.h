// Playing recorded sounds: a wave image from a dictionary's sound container, played
// asynchronously. A window front end installs a real player; the default one stays silent.
#pragma once

#include "ZelBase.h"

#include <cstdint>
#include <memory>

class IZelMemBlocks;

class TZelSoundPlayer {
public:
    virtual ~TZelSoundPlayer() = default;
    // Starts playing block index of the container (the player keeps the container alive
    // while it plays). Data that cannot be played gives silence, not an error.
    virtual void Play(const ZelRef<IZelMemBlocks>& sounds, int32_t index) {
        (void)sounds, (void)index;
    }
    // Stops every sound of the process.
    virtual void StopAll() {}
};

TZelSoundPlayer& ZelSoundPlayer();
std::shared_ptr<TZelSoundPlayer> ZelSetSoundPlayer(std::shared_ptr<TZelSoundPlayer> player);
