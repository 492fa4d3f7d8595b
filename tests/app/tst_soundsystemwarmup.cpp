// The sound system initialised on a worker thread at start-up must leave the
// multimedia backend, which initialises it again on the GUI thread, working.
#include "app/soundsystemwarmup.h"

#include <QMediaPlayer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

namespace {
// A tenth of a second of silence, 8 kHz mono 8-bit.
QByteArray silentWave()
{
    const quint32 samples = 800;
    QByteArray wave("RIFF....WAVEfmt ");
    const auto append32 = [&](quint32 v) { v = qToLittleEndian(v); wave.append(reinterpret_cast<const char *>(&v), 4); };
    const auto append16 = [&](quint16 v) { v = qToLittleEndian(v); wave.append(reinterpret_cast<const char *>(&v), 2); };
    append32(16);
    append16(1);    // PCM
    append16(1);    // channels
    append32(8000); // sample rate
    append32(8000); // bytes per second
    append16(1);    // block align
    append16(8);    // bits per sample
    wave.append("data");
    append32(samples);
    wave.append(QByteArray(samples, char(0x80)));
    quint32 riffSize = qToLittleEndian(quint32(wave.size() - 8));
    wave.replace(4, 4, reinterpret_cast<const char *>(&riffSize), 4);
    return wave;
}
} // namespace

class tst_SoundSystemWarmUp : public QObject
{
    Q_OBJECT
private slots:
    void backendWorksAfterWarmUp_data()
    {
        QTest::addColumn<bool>("disabled");
        QTest::newRow("warmed up") << false;
        QTest::newRow("switched off") << true;
    }
    void backendWorksAfterWarmUp()
    {
        QFETCH(bool, disabled);
        if (disabled)
            qputenv("ZARNO_NO_SOUND_WARMUP", "1");
        else
            qunsetenv("ZARNO_NO_SOUND_WARMUP");
        SoundSystemWarmUp warmUp;
        warmUp.waitForFinished();
        QCOMPARE(warmUp.initialised(), !disabled);

        QTemporaryDir dir;
        QFile file(dir.filePath("silence.wav"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(silentWave());
        file.close();
        QMediaPlayer player;
        player.setMedia(QUrl::fromLocalFile(file.fileName()));
        QTRY_COMPARE_WITH_TIMEOUT(player.mediaStatus(), QMediaPlayer::LoadedMedia, 20000);
        QCOMPARE(player.error(), QMediaPlayer::NoError);
    }
};

QTEST_MAIN(tst_SoundSystemWarmUp)
#include "tst_soundsystemwarmup.moc"
