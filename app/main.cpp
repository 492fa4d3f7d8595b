#include "app/soundsystemwarmup.h"
#include "app/zrapplication.h"

#include <QApplication>
#include <QQmlApplicationEngine>
#include <QUrl>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv, 0x50600);
    SoundSystemWarmUp soundSystem;
    ZRApplication zarnoApp;
    QQmlApplicationEngine engine;
    zarnoApp.initialize(&engine);
    zarnoApp.setMainQmlFileName(QStringLiteral("qrc:/qml/Main.qml"));
    engine.load(QUrl(zarnoApp.mainQmlFileName()));
    return app.exec();
}
