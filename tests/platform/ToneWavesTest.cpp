#include "platform/ToneWaves.h"

#include "platform/ProgramPaths.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {
quint32 le32(const QByteArray& b, int at)
{
    return qFromLittleEndian<quint32>(b.constData() + at);
}
quint16 le16(const QByteArray& b, int at)
{
    return qFromLittleEndian<quint16>(b.constData() + at);
}

QList<qint16> samples(const QByteArray& wave)
{
    QList<qint16> out;
    for (int at = 44; at + 1 < wave.size(); at += 2)
        out.append(static_cast<qint16>(le16(wave, at)));
    return out;
}

// Pitch of a stretch of samples from its rising zero crossings.
double pitch(const QList<qint16>& s, qsizetype from, qsizetype to)
{
    int crossings = 0;
    for (qsizetype i = from + 1; i < to; ++i)
        crossings += (s.at(i - 1) < 0 && s.at(i) >= 0) ? 1 : 0;
    return crossings * double(ToneWaves::sampleRate) / double(to - from);
}
} // namespace

TEST(ToneWaves, SoundsAreValidPcmWaves)
{
    const struct {
        const char* name;
        QByteArray bytes;
    } sounds[] = {
        {"In", ToneWaves::inSound()}, {"Out", ToneWaves::outSound()}, {"Error", ToneWaves::errorSound()}};
    for (const auto& s : sounds) {
        const QByteArray& w = s.bytes;
        ASSERT_GT(w.size(), 44) << s.name;
        EXPECT_EQ(w.left(4), QByteArray("RIFF")) << s.name;
        EXPECT_EQ(le32(w, 4), quint32(w.size() - 8)) << s.name;
        EXPECT_EQ(w.mid(8, 8), QByteArray("WAVEfmt ")) << s.name;
        // fmt chunk of 16 bytes: PCM, mono, the rate, bytes per second, block of 2, 16 bits
        const QList<quint32> format{le32(w, 16), le16(w, 20), le16(w, 22), le32(w, 24),
                                    le32(w, 28), le16(w, 32), le16(w, 34)};
        const quint32 rate = ToneWaves::sampleRate;
        EXPECT_EQ(format, (QList<quint32>{16, 1, 1, rate, rate * 2, 2, 16})) << s.name;
        EXPECT_EQ(w.mid(36, 4), QByteArray("data")) << s.name;
        EXPECT_EQ(le32(w, 40), quint32(w.size() - 44)) << s.name;
        const double seconds = (w.size() - 44) / 2.0 / ToneWaves::sampleRate;
        EXPECT_TRUE(seconds > 0.2 && seconds < 1.0) << s.name; // short confirmations
    }
}

TEST(ToneWaves, InRisesOutFallsErrorIsLow)
{
    const QList<qint16> in = samples(ToneWaves::inSound());
    const QList<qint16> out = samples(ToneWaves::outSound());
    const QList<qint16> error = samples(ToneWaves::errorSound());
    const qsizetype split = ToneWaves::sampleRate * 140 / 1000;
    EXPECT_LT(pitch(in, 0, split), pitch(in, split, in.size()) - 100);
    EXPECT_GT(pitch(out, 0, split), pitch(out, split, out.size()) + 100);
    EXPECT_LT(pitch(error, 0, error.size()), 200);
}

TEST(ToneWaves, WritesOnlyMissingSounds)
{
    QTemporaryDir dir;
    const ProgramPaths paths(dir.path());
    {
        QFile own(dir.filePath(QStringLiteral("out.wav"))); // the user's own, in other letter case
        ASSERT_TRUE(own.open(QIODevice::WriteOnly));
        own.write("mine");
    }
    EXPECT_EQ(ToneWaves::writeMissing(paths),
              (QStringList{QStringLiteral("In.Wav"), QStringLiteral("Error.Wav")}));
    QFile in(dir.filePath(QStringLiteral("In.Wav")));
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    EXPECT_EQ(in.readAll(), ToneWaves::inSound());
    QFile own(dir.filePath(QStringLiteral("out.wav")));
    ASSERT_TRUE(own.open(QIODevice::ReadOnly));
    EXPECT_EQ(own.readAll(), QByteArray("mine"));
    EXPECT_TRUE(ToneWaves::writeMissing(paths).isEmpty());

    const ProgramPaths nowhere(dir.filePath(QStringLiteral("no/such/folder")));
    EXPECT_TRUE(ToneWaves::writeMissing(nowhere).isEmpty());
}
