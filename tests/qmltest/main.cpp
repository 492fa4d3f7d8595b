// Qt Quick Test runner whose engines are prepared exactly as the game's.
#include "app/zrapplication.h"
#include "scheduling/zrstepdriver.h"

#include <QApplication>
#include <QQmlEngine>
#include <QtQuickTest>

class ZarnoTestSetup : public QObject
{
    Q_OBJECT
public slots:
    void qmlEngineAvailable(QQmlEngine *engine)
    {
        // Qt Quick Test makes one engine per test file; each gets its own host,
        // destroyed with the engine.
        auto *zarnoApp = new ZRApplication(engine);
        zarnoApp->initialize(engine);
        // There is no objectCreated signal from a test view: run the driver now.
        zarnoApp->stepDriver()->start(QAbstractAnimation::KeepWhenStopped);
    }
};

int main(int argc, char **argv)
{
    // As the game's start-up does, but before the first window exists.
    qputenv("QSG_RENDER_LOOP", "basic");
    QApplication app(argc, argv);
    ZarnoTestSetup setup;
    return quick_test_main_with_setup(argc, argv, "zarno-qmltest", nullptr, &setup);
}

#include "main.moc"
