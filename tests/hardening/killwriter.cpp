// Writes one store over and over until it is killed, or checks what a killed writer
// left behind (tst_killsafety.sh drives both):
//   zarno-killwriter <settings|levels|file> <folder> write <first number>
//       stores value n = first, first+1, ... and prints n once each write returned;
//   zarno-killwriter <settings|levels|file> <folder> check <last printed number>
//       prints "ok <n>" when the store holds a whole value n of the last two written,
//       else "CORRUPT ..." and fails.
// A value is a number and a text made from it, long enough that a kill lands inside
// the write more often than between two.
#include "app/zrapplication.h"

#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QUrl>

#include <cstdio>
#include <memory>

namespace {

const char *const kDocument = R"(
import QtQuick 2.15
import Zarno 2.0
Item {
    property string mode
    property string folder
    property int padding: mode === "file" ? 20000 : 2000
    function pad(n) { return Array(padding + 1).join(String(n % 97) + ",") }
    Settings { id: settings }
    LevelStorage { id: levels; storageLocation: "authorGenerated" }
    function writeOne(n) {
        if (mode === "settings")
            settings.customData = { n: n, text: pad(n) }
        else if (mode === "levels")
            levels.saveLevel({ levelMetaData: { levelId: 1, levelName: "v" + n }, customData: { n: n, text: pad(n) } })
        else
            return fileUtils.writeFile(folder + "/value.json", JSON.stringify({ n: n, text: pad(n) }))
        return true
    }
    function readBack() {
        if (mode === "settings")
            return JSON.stringify(settings.getValue("customData") || null)
        if (mode === "levels") {
            var level = levels.getLevel(1)
            return JSON.stringify({ n: level ? level.customData.n : null, text: level ? level.customData.text : null,
                                    name: level ? level.levelMetaData.levelName : null, list: levels.loadAllLevels() })
        }
        return fileUtils.readFile(folder + "/value.json")
    }
}
)";

QString pad(int n, int padding)
{
    return QString(QString::number(n % 97) + QLatin1Char(',')).repeated(padding);
}

// Why the stored text is no whole value of the last two written, or empty when it is one.
QString judge(const QString &mode, const QByteArray &stored, int last, int *found)
{
    const QJsonObject value = QJsonDocument::fromJson(stored).object();
    if (value.isEmpty())
        return QStringLiteral("unreadable: ") + QString::fromUtf8(stored.left(80));
    const int n = value.value(QLatin1String("n")).toInt(-1);
    *found = n;
    if (n != last && n != last + 1)
        return QStringLiteral("holds %1 after %2 was written").arg(n).arg(last);
    if (value.value(QLatin1String("text")).toString() != pad(n, mode == QLatin1String("file") ? 20000 : 2000))
        return QStringLiteral("text of %1 damaged").arg(n);
    if (mode == QLatin1String("levels")) {
        const QJsonArray list = value.value(QLatin1String("list")).toArray();
        const QString name = QStringLiteral("v%1").arg(n);
        if (value.value(QLatin1String("name")).toString() != name || list.size() != 1
            || list.at(0).toObject().value(QLatin1String("levelName")).toString() != name)
            return QStringLiteral("level %1 and its list disagree: ").arg(n) + QString::fromUtf8(QJsonDocument(list).toJson(QJsonDocument::Compact));
    }
    return QString();
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5) {
        std::fprintf(stderr, "usage: zarno-killwriter <settings|levels|file> <folder> <write|check> <number>\n");
        return 2;
    }
    const QString mode = args.at(1), folder = args.at(2);
    const int number = args.at(4).toInt();

    QQmlEngine engine;
    engine.setOfflineStoragePath(folder + QStringLiteral("/storage"));
    (new ZRApplication(&engine))->initialize(&engine);
    QQmlComponent component(&engine);
    component.setData(kDocument, QUrl(QStringLiteral("file:///killwriter/Writer.qml")));
    std::unique_ptr<QObject> root(component.beginCreate(engine.rootContext()));
    if (!root) {
        std::fprintf(stderr, "%s\n", qPrintable(component.errorString()));
        return 2;
    }
    root->setProperty("mode", mode);
    root->setProperty("folder", folder);
    component.completeCreate();

    if (args.at(3) == QLatin1String("write")) {
        for (int n = number;; ++n) {
            QVariant written;
            QMetaObject::invokeMethod(root.get(), "writeOne", Q_RETURN_ARG(QVariant, written), Q_ARG(QVariant, n));
            if (!written.toBool())
                return 3;
            std::printf("%d\n", n);
            std::fflush(stdout);
        }
    }
    QVariant stored;
    QMetaObject::invokeMethod(root.get(), "readBack", Q_RETURN_ARG(QVariant, stored));
    int found = -1;
    const QString fault = judge(mode, stored.toString().toUtf8(), number, &found);
    if (!fault.isEmpty()) {
        std::printf("CORRUPT %s: %s\n", qPrintable(mode), qPrintable(fault));
        return 1;
    }
    std::printf("ok %d\n", found);
    return 0;
}
