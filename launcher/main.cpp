// zarno <game folder | Main.qml>: runs a game from its documents on disk and reloads
// it in place whenever one of them changes.
#include "app/gamelauncher.h"
#include "app/soundsystemwarmup.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv, 0x50600);
    QCoreApplication::setApplicationName(QStringLiteral("zarno"));
    QCoreApplication::setApplicationVersion(QStringLiteral("2.8.0"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Runs a Zarno game from its folder, prepared as a packaged game is, and reloads it\n"
        "in place when one of its QML, JavaScript or JSON files changes."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption noReload(QStringLiteral("no-reload"), QStringLiteral("Do not reload the game when its files change."));
    parser.addOption(noReload);
    parser.addPositionalArgument(QStringLiteral("game"),
                                 QStringLiteral("The game's folder (holding Main.qml and config.json, or qml/Main.qml "
                                                "and qml/config.json), or its main document."));
    parser.process(app);

    const QStringList arguments = parser.positionalArguments();
    if (arguments.size() != 1) {
        std::fputs(qPrintable(parser.helpText()), stderr);
        return 2;
    }

    SoundSystemWarmUp soundSystem;
    GameLauncher launcher;
    launcher.setLiveReloadEnabled(!parser.isSet(noReload));
    if (!launcher.setGame(arguments.first())) {
        std::fprintf(stderr, "zarno: %s\n", qPrintable(launcher.errorString()));
        return 1;
    }
    if (!launcher.start() && !launcher.liveReloadEnabled())
        return 1;
    return app.exec();
}
