#pragma once

#include "platform/ProgramPaths.h"
#include "platform/SoundPlayer.h"

#include <QHash>
#include <QObject>

class QSoundEffect;

// Plays <name>.Wav from the program folder through QSoundEffect: returns at once, a new sound cuts
// the one still playing, and a missing file or sound device just means silence.
class QtSoundPlayer final : public QObject, public SoundPlayer {
    Q_OBJECT

public:
    explicit QtSoundPlayer(ProgramPaths paths, QObject* parent = nullptr);
    void play(const QString& name) override;

    // Whether the machine has anywhere to play to.
    static bool hasOutputDevice();

private:
    ProgramPaths m_paths;
    QHash<QString, QSoundEffect*> m_effects; // by file path, loaded once
    QSoundEffect* m_playing = nullptr;
};
