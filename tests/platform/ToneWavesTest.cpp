#include "platform/ToneWaves.h"

#include "platform/ProgramPaths.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

TEST(ToneWaves, SoundsAreValidPcmWaves)
{
    for (const QByteArray& w : {ToneWaves::inSound(), ToneWaves::outSound(), ToneWaves::errorSound()}) {
        ASSERT_GT(w.size(), 44);
        const auto le32 = [&](int at) {
            return qFromLittleEndian<quint32>(w.constData() + at);
        };
        const auto le16 = [&](int at) {
            return quint32(qFromLittleEndian<quint16>(w.constData() + at));
        };
        EXPECT_EQ(w.left(16), QByteArray("RIFF") + w.mid(4, 4) + "WAVEfmt ");
        EXPECT_EQ(le32(4), quint32(w.size() - 8));
        // fmt chunk of 16 bytes: PCM, mono, the rate, bytes per second, block of 2, 16 bits
        const quint32 rate = ToneWaves::sampleRate;
        EXPECT_EQ((QList<quint32>{le32(16), le16(20), le16(22), le32(24), le32(28), le16(32), le16(34)}),
                  (QList<quint32>{16, 1, 1, rate, rate * 2, 2, 16}));
        EXPECT_EQ(w.mid(36, 4), QByteArray("data"));
        EXPECT_EQ(le32(40), quint32(w.size() - 44));
    }
}

TEST(ToneWaves, WritesOnlyMissingSounds)
{
    QTemporaryDir dir;
    const ProgramPaths paths(dir.path());
    QFile own(dir.filePath(QStringLiteral("out.wav"))); // the user's own, in other letter case
    ASSERT_TRUE(own.open(QIODevice::WriteOnly) && own.write("mine") == 4);
    own.close();
    EXPECT_EQ(ToneWaves::writeMissing(paths),
              (QStringList{QStringLiteral("In.Wav"), QStringLiteral("Error.Wav")}));
    QFile in(dir.filePath(QStringLiteral("In.Wav")));
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    EXPECT_EQ(in.readAll(), ToneWaves::inSound());
    EXPECT_EQ(QFileInfo(own).size(), 4);
    EXPECT_TRUE(ToneWaves::writeMissing(paths).isEmpty());
    EXPECT_TRUE(ToneWaves::writeMissing(ProgramPaths(dir.filePath(QStringLiteral("no/such")))).isEmpty());
}
