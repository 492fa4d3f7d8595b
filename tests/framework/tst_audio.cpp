// Music and sound effects obey the user's settings and survive missing files and devices.
#include "support/qmlcase.h"
#include "support/warningcollector.h"

#include <QtTest/QtTest>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QTemporaryDir>
#include <QtEndian>
#include <cmath>

namespace {

// A mono 16-bit PCM WAV file with a quiet sine tone.
bool writeWav(const QString &path, int milliseconds)
{
    const int rate = 22050;
    const int samples = rate * milliseconds / 1000;
    QByteArray data;
    data.reserve(samples * 2);
    for (int i = 0; i < samples; ++i) {
        const qint16 value = qint16(3000 * std::sin(2 * M_PI * 440 * i / rate));
        data.append(char(value & 0xff)).append(char((value >> 8) & 0xff));
    }
    auto le32 = [](quint32 v) { QByteArray b(4, 0); qToLittleEndian(v, b.data()); return b; };
    auto le16 = [](quint16 v) { QByteArray b(2, 0); qToLittleEndian(v, b.data()); return b; };
    QByteArray file = "RIFF" + le32(36 + data.size()) + "WAVE" + "fmt " + le32(16) + le16(1) + le16(1)
        + le32(rate) + le32(rate * 2) + le16(2) + le16(16) + "data" + le32(data.size()) + data;
    QFile out(path);
    return out.open(QIODevice::WriteOnly) && out.write(file) == file.size();
}

// The settings and window stand-ins are found by name, as the game's own are.
const char *standIns =
    "QtObject { id: settings; objectName: 'settings'; property bool fullyCompleted: true\n"
    "           property bool soundEnabled: true; property bool musicEnabled: true }\n"
    "QtObject { id: gameWindow; objectName: 'gameWindow'; signal applicationPaused(); signal applicationResumed() }\n";

} // namespace

class TestAudio : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void effectSilentWhileSoundDisabled();
    void loopingEffectFollowsSoundEnabled();
    void autoPlayObeysSoundEnabled();
    void musicPausesAndResumesWithMusicEnabled();
    void musicWaitsForSettings();
    void explicitStopIsNotUndoneBySettings();
    void backgroundPauseOnlyWhenAsked();
    void realSettingsDisableEffects();
    void missingFiles();
    void withoutAudioDevice();

private:
    QObject *load(const QByteArray &body);
    QObject *find(const char *name) const;

    QTemporaryDir m_dir;
    // The host outlives the engine, as in the game's main().
    QmlCase m_case;
};

void TestAudio::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(writeWav(m_dir.filePath(QStringLiteral("click.wav")), 150));
    QVERIFY(writeWav(m_dir.filePath(QStringLiteral("loop.wav")), 400));
    QVERIFY(writeWav(m_dir.filePath(QStringLiteral("music.wav")), 3000));
}

QObject *TestAudio::load(const QByteArray &body)
{
    return m_case.load(m_dir.filePath(QStringLiteral("case.qml")),
                       "import QtQuick 2.15\nimport QtMultimedia 5.15\nimport Zarno 2.0\nItem {\n" + body + "\n}\n");
}

QObject *TestAudio::find(const char *name) const
{
    QObject *root = m_case.engine()->rootObjects().value(0);
    if (!root)
        return nullptr;
    return root->objectName() == QLatin1String(name) ? root : root->findChild<QObject *>(QString::fromLatin1(name));
}

static bool call(QObject *object, const char *method)
{
    return object && QMetaObject::invokeMethod(object, method);
}

void TestAudio::effectSilentWhileSoundDisabled()
{
    QVERIFY(load(QByteArray(standIns) + "SoundEffectZarno { objectName: 'effect'; source: 'click.wav' }"));
    QObject *effect = find("effect");
    QObject *settings = find("settings");
    QVERIFY(effect && settings);
    QTRY_VERIFY(effect->property("status").toInt() == 2 /* Ready */ || effect->property("status").toInt() == 3);
    QCOMPARE(effect->property("status").toInt(), 2);

    settings->setProperty("soundEnabled", false);
    QVERIFY(call(effect, "play"));
    QTest::qWait(300);
    QVERIFY(!effect->property("playing").toBool());

    // Enabling sound later does not replay a one-shot request.
    settings->setProperty("soundEnabled", true);
    QTest::qWait(300);
    QVERIFY(!effect->property("playing").toBool());

    // The same effect does play once allowed, so the silence above was the setting's doing.
    QVERIFY(call(effect, "play"));
    QTRY_VERIFY(effect->property("playing").toBool());

    // Settings that are still loading hold effects back too.
    QTRY_VERIFY(!effect->property("playing").toBool());
    settings->setProperty("fullyCompleted", false);
    QVERIFY(call(effect, "play"));
    QTest::qWait(300);
    QVERIFY(!effect->property("playing").toBool());
}

void TestAudio::loopingEffectFollowsSoundEnabled()
{
    QVERIFY(load(QByteArray(standIns) + "SoundEffectZarno { objectName: 'effect'; source: 'loop.wav'; loops: SoundEffect.Infinite }"));
    QObject *effect = find("effect");
    QObject *settings = find("settings");
    QTRY_COMPARE(effect->property("status").toInt(), 2);
    QVERIFY(call(effect, "play"));
    QTRY_VERIFY(effect->property("playing").toBool());

    settings->setProperty("soundEnabled", false);
    QTRY_VERIFY(!effect->property("playing").toBool());
    settings->setProperty("soundEnabled", true);
    QTRY_VERIFY(effect->property("playing").toBool());

    // A looping request made while disabled starts once sound is enabled.
    QVERIFY(call(effect, "stop"));
    QTRY_VERIFY(!effect->property("playing").toBool());
    settings->setProperty("soundEnabled", false);
    QVERIFY(call(effect, "play"));
    QTest::qWait(200);
    QVERIFY(!effect->property("playing").toBool());
    settings->setProperty("soundEnabled", true);
    QTRY_VERIFY(effect->property("playing").toBool());
}

void TestAudio::autoPlayObeysSoundEnabled()
{
    QVERIFY(load(QByteArray(standIns).replace("property bool soundEnabled: true", "property bool soundEnabled: false")
                 + "SoundEffectZarno { objectName: 'muted'; source: 'click.wav'; autoPlay: true }"));
    QObject *muted = find("muted");
    QObject *settings = find("settings");
    QTRY_COMPARE(muted->property("status").toInt(), 2);
    QTest::qWait(300);
    QVERIFY(!muted->property("playing").toBool());

    settings->setProperty("soundEnabled", true);
    QVERIFY(load(QByteArray(standIns) + "SoundEffectZarno { objectName: 'effect'; source: 'loop.wav'; loops: SoundEffect.Infinite; autoPlay: true }"));
    QTRY_VERIFY(find("effect")->property("playing").toBool());
}

void TestAudio::musicPausesAndResumesWithMusicEnabled()
{
    QVERIFY(load(QByteArray(standIns) + "BackgroundMusic { objectName: 'music'; source: 'music.wav' }"));
    QObject *music = find("music");
    QObject *settings = find("settings");
    QSignalSpy started(music, SIGNAL(started()));
    QSignalSpy paused(music, SIGNAL(paused()));
    QVERIFY(!music->property("playing").toBool());
    QVERIFY(call(music, "play"));
    QTRY_VERIFY(music->property("playing").toBool());
    QTRY_VERIFY(music->property("position").toInt() > 200);
    QCOMPARE(started.count(), 1);

    settings->setProperty("musicEnabled", false);
    QTRY_COMPARE(music->property("playbackState").toInt(), 2 /* PausedState */);
    QCOMPARE(paused.count(), 1);
    const int pausedAt = music->property("position").toInt();

    settings->setProperty("musicEnabled", true);
    QTRY_VERIFY(music->property("playing").toBool());
    // Resumed where it was, not restarted.
    QVERIFY2(music->property("position").toInt() >= pausedAt - 50,
             qPrintable(QStringLiteral("%1 < %2").arg(music->property("position").toInt()).arg(pausedAt)));
}

void TestAudio::musicWaitsForSettings()
{
    QVERIFY(load(QByteArray(standIns).replace("property bool fullyCompleted: true", "property bool fullyCompleted: false")
                 + "BackgroundMusic { objectName: 'music'; source: 'music.wav' }"));
    QObject *music = find("music");
    QObject *settings = find("settings");
    QVERIFY(call(music, "play"));
    QVERIFY(music->property("__playWhenSettingsCompleted").toBool());
    QTest::qWait(300);
    QVERIFY(!music->property("playing").toBool());
    settings->setProperty("fullyCompleted", true);
    QTRY_VERIFY(music->property("playing").toBool());
    QVERIFY(!music->property("__playWhenSettingsCompleted").toBool());

    // autoPlay with music disabled in a previous launch stays silent.
    QVERIFY(load(QByteArray(standIns).replace("property bool musicEnabled: true", "property bool musicEnabled: false")
                 + "BackgroundMusic { objectName: 'music'; source: 'music.wav'; autoPlay: true }"));
    QTest::qWait(300);
    QVERIFY(!find("music")->property("playing").toBool());
    find("settings")->setProperty("musicEnabled", true);
    QTRY_VERIFY(find("music")->property("playing").toBool());
}

void TestAudio::explicitStopIsNotUndoneBySettings()
{
    QVERIFY(load(QByteArray(standIns) + "BackgroundMusic { objectName: 'music'; source: 'music.wav'; autoPlay: true }"));
    QObject *music = find("music");
    QObject *settings = find("settings");
    QTRY_VERIFY(music->property("playing").toBool());
    QVERIFY(call(music, "stop"));
    QTRY_COMPARE(music->property("playbackState").toInt(), 0 /* StoppedState */);
    settings->setProperty("musicEnabled", false);
    settings->setProperty("musicEnabled", true);
    QTest::qWait(300);
    QCOMPARE(music->property("playbackState").toInt(), 0);
}

void TestAudio::backgroundPauseOnlyWhenAsked()
{
    QVERIFY(load(QByteArray(standIns) + "BackgroundMusic { objectName: 'music'; source: 'music.wav' }\n"
                                        "SoundEffectZarno { objectName: 'effect'; source: 'loop.wav'; loops: SoundEffect.Infinite }"));
    QObject *music = find("music");
    QObject *effect = find("effect");
    QObject *window = find("gameWindow");
    QTRY_COMPARE(effect->property("status").toInt(), 2);
    QVERIFY(call(music, "play"));
    QVERIFY(call(effect, "play"));
    QTRY_VERIFY(music->property("playing").toBool());
    QTRY_VERIFY(effect->property("playing").toBool());

    // Desktop: losing focus leaves everything playing.
    QVERIFY(!music->property("autoPauseInBackground").toBool());
    QVERIFY(call(window, "applicationPaused"));
    QTest::qWait(200);
    QVERIFY(music->property("playing").toBool());
    QVERIFY(effect->property("playing").toBool());

    music->setProperty("autoPauseInBackground", true);
    effect->setProperty("autoPauseInBackground", true);
    QVERIFY(call(window, "applicationPaused"));
    QTRY_VERIFY(!music->property("playing").toBool());
    QTRY_VERIFY(!effect->property("playing").toBool());
    QVERIFY(call(window, "applicationResumed"));
    QTRY_VERIFY(music->property("playing").toBool());
    QTRY_VERIFY(effect->property("playing").toBool());
}

void TestAudio::realSettingsDisableEffects()
{
    // The framework's own Settings, as the game declares it.
    QVERIFY(load("Settings { id: settings; objectName: 'settings'; databaseName: 'audio' }\n"
                 "SoundEffectZarno { objectName: 'effect'; source: 'loop.wav'; loops: SoundEffect.Infinite }"));
    QObject *effect = find("effect");
    QObject *settings = find("settings");
    QVERIFY(settings->property("fullyCompleted").toBool());
    QTRY_COMPARE(effect->property("status").toInt(), 2);
    settings->setProperty("soundEnabled", false);
    QVERIFY(call(effect, "play"));
    QTest::qWait(300);
    QVERIFY(!effect->property("playing").toBool());
    settings->setProperty("soundEnabled", true);
    QTRY_VERIFY(effect->property("playing").toBool());
}

void TestAudio::missingFiles()
{
    const QString missing = QUrl::fromLocalFile(m_dir.filePath(QStringLiteral("missing.wav"))).toString();
    QTest::ignoreMessage(QtWarningMsg, qPrintable(QStringLiteral("WARNING: SoundEffectZarno: could not load sound effect: ") + missing));
    // Qt Multimedia reports the missing effect on its own as well.
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("QSoundEffect\\(\\w+\\): Error decoding source.*")));
    QVERIFY(load(QByteArray(standIns) + "SoundEffectZarno { objectName: 'effect'; source: 'missing.wav' }\n"
                                        "BackgroundMusic { objectName: 'music'; source: 'missing.mp3' }"));
    QObject *effect = find("effect");
    QObject *music = find("music");
    QTRY_COMPARE(effect->property("status").toInt(), 3 /* Error */);
    QVERIFY(call(effect, "play"));
    QVERIFY(!effect->property("playing").toBool());
    QVariant loaded;
    QVERIFY(QMetaObject::invokeMethod(effect, "isLoaded", Q_RETURN_ARG(QVariant, loaded)));
    QCOMPARE(loaded.toBool(), false);
    QVERIFY(call(music, "play"));
    QTRY_VERIFY(music->property("error").toInt() != 0);
    QVERIFY(!music->property("playing").toBool());
}

// Run by tst_audio_nodevice.sh with the sound server out of reach.
void TestAudio::withoutAudioDevice()
{
    if (qEnvironmentVariableIsEmpty("ZARNO_EXPECT_NO_AUDIO_DEVICE"))
        QSKIP("needs the sound server out of reach (tst_audio_nodevice.sh)");
    WarningCollector collector;
    QVERIFY(load(QByteArray(standIns) + "SoundEffectZarno { objectName: 'effect'; source: 'click.wav'; autoPlay: true }\n"
                                        "SoundEffectZarno { objectName: 'loop'; source: 'loop.wav'; loops: SoundEffect.Infinite }\n"
                                        "BackgroundMusic { objectName: 'music'; source: 'music.wav'; autoPlay: true }"));
    QObject *loop = find("loop");
    QObject *music = find("music");
    QVERIFY(call(loop, "play"));
    QVERIFY(call(music, "play"));
    // Whatever the outcome, the event loop keeps turning and the components answer.
    QElapsedTimer clock;
    clock.start();
    QTRY_VERIFY_WITH_TIMEOUT(!collector.warnings.isEmpty(), 10000);
    QVERIFY(clock.elapsed() < 10000);
    find("settings")->setProperty("soundEnabled", false);
    find("settings")->setProperty("musicEnabled", false);
    QVERIFY(call(loop, "stop"));
    QVERIFY(call(music, "stop"));
    QVERIFY(!loop->property("playing").toBool());
    qInfo() << "warnings without a device:" << collector.warnings;
}

QTEST_MAIN(TestAudio)
#include "tst_audio.moc"
