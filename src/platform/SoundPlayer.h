#pragma once

#include <QString>

// Plays the confirmation sounds "In", "Out" and "Error" without waiting; failures are silent.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void play(const QString& name) = 0;
};

// For a station without sound.
class SilentSoundPlayer final : public SoundPlayer {
public:
    void play(const QString&) override {}
};
