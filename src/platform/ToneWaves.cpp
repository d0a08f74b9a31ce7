#include "platform/ToneWaves.h"

#include "platform/ProgramPaths.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>
#include <cmath>
#include <numbers>

namespace {
void appendLe16(QByteArray& bytes, quint16 value)
{
    char raw[2];
    qToLittleEndian(value, raw);
    bytes.append(raw, 2);
}

void appendLe32(QByteArray& bytes, quint32 value)
{
    char raw[4];
    qToLittleEndian(value, raw);
    bytes.append(raw, 4);
}

QByteArray samplesOf(const QList<ToneWaves::Tone>& tones, double volume)
{
    QByteArray samples;
    const int fade = ToneWaves::sampleRate / 100; // 10 ms
    for (const ToneWaves::Tone& tone : tones) {
        const int count = ToneWaves::sampleRate * tone.milliseconds / 1000;
        for (int i = 0; i < count; ++i) {
            const double phase = 2 * std::numbers::pi * tone.frequency * i / ToneWaves::sampleRate;
            double value = std::sin(phase);
            if (tone.square)
                value = value >= 0 ? 0.5 : -0.5;
            const double envelope = std::min({1.0, double(i) / fade, double(count - 1 - i) / fade});
            const auto sample = static_cast<qint16>(std::lround(value * envelope * volume * 32767));
            appendLe16(samples, static_cast<quint16>(sample));
        }
    }
    return samples;
}
} // namespace

QByteArray ToneWaves::wave(const QList<Tone>& tones, double volume)
{
    const QByteArray samples = samplesOf(tones, volume);
    const quint16 channels = 1;
    const quint16 bits = 16;
    const quint16 blockAlign = channels * bits / 8;
    QByteArray bytes;
    bytes.append("RIFF");
    appendLe32(bytes, quint32(36 + samples.size()));
    bytes.append("WAVE");
    bytes.append("fmt ");
    appendLe32(bytes, 16);
    appendLe16(bytes, 1); // PCM
    appendLe16(bytes, channels);
    appendLe32(bytes, sampleRate);
    appendLe32(bytes, quint32(sampleRate) * blockAlign);
    appendLe16(bytes, blockAlign);
    appendLe16(bytes, bits);
    bytes.append("data");
    appendLe32(bytes, quint32(samples.size()));
    bytes.append(samples);
    return bytes;
}

QByteArray ToneWaves::inSound()
{
    return wave({{659.25, 140}, {987.77, 260}}); // E5 then B5
}

QByteArray ToneWaves::outSound()
{
    return wave({{987.77, 140}, {659.25, 260}});
}

QByteArray ToneWaves::errorSound()
{
    return wave({{110.0, 450, true}}, 0.5);
}

QStringList ToneWaves::writeMissing(const ProgramPaths& paths)
{
    const struct {
        const char* name;
        QByteArray (*make)();
    } sounds[] = {{"In.Wav", &inSound}, {"Out.Wav", &outSound}, {"Error.Wav", &errorSound}};
    QStringList written;
    for (const auto& sound : sounds) {
        const QString name = QString::fromLatin1(sound.name);
        if (QFileInfo::exists(paths.findInProgramFolder(name)))
            continue;
        QSaveFile file(paths.inProgramFolder(name));
        if (!file.open(QIODevice::WriteOnly))
            continue;
        file.write(sound.make());
        if (file.commit())
            written.append(name);
    }
    return written;
}
