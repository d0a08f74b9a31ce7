#include "platform/ui/QtSoundPlayer.h"

#include <QAudioDevice>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

QtSoundPlayer::QtSoundPlayer(ProgramPaths paths, QObject* parent)
    : QObject(parent)
    , m_paths(std::move(paths))
{}

bool QtSoundPlayer::hasOutputDevice()
{
    return !QMediaDevices::audioOutputs().isEmpty();
}

void QtSoundPlayer::play(const QString& name)
{
    if (m_playing)
        m_playing->stop();
    m_playing = nullptr;
    const QString path = m_paths.findInProgramFolder(name + QStringLiteral(".Wav"));
    if (!QFileInfo::exists(path) || !hasOutputDevice())
        return;
    QSoundEffect*& effect = m_effects[path];
    if (!effect) {
        effect = new QSoundEffect(this);
        effect->setSource(QUrl::fromLocalFile(path));
    }
    // A sound still loading starts once it is loaded; a file it cannot read stays silent.
    if (effect->status() == QSoundEffect::Error)
        return;
    effect->play();
    m_playing = effect;
}
