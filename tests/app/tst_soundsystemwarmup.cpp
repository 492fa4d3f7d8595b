// The sound system initialised on a worker thread at start-up must leave the
// multimedia backend, which initialises it again on the GUI thread, working.
#include "app/soundsystemwarmup.h"

#include <QMediaPlayer>
#include <QtTest>

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

        // The working directory is the repository root.
        const QString sound = QFileInfo(QStringLiteral("assets/sound/coin.wav")).absoluteFilePath();
        QVERIFY(QFileInfo::exists(sound));
        QMediaPlayer player;
        player.setMedia(QUrl::fromLocalFile(sound));
        QTRY_COMPARE_WITH_TIMEOUT(player.mediaStatus(), QMediaPlayer::LoadedMedia, 20000);
        QCOMPARE(player.error(), QMediaPlayer::NoError);
    }
};

QTEST_MAIN(tst_SoundSystemWarmUp)
#include "tst_soundsystemwarmup.moc"
