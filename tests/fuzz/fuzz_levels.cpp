// Level files (JSON) as the level editor reads them from its levels folder at start,
// then every level it accepted loaded as the current one. The loader is JavaScript,
// so libFuzzer sees no coverage inside it: this mutates blindly from the seeds.
#include "fuzzsupport.h"
#include "app/zrapplication.h"

#include <QQmlComponent>
#include <QQmlEngine>
#include <QUrl>

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    zarnoFuzzSetUp();
    static QQmlEngine *engine = [] {
        auto *e = new QQmlEngine;
        e->setOfflineStoragePath(QDir(zarnoFuzzScratch()).filePath(QStringLiteral("storage")));
        (new ZRApplication(e))->initialize(e);
        return e;
    }();
    static const QString folder = [] {
        const QString path = QDir(zarnoFuzzScratch()).filePath(QStringLiteral("levels"));
        QDir().mkpath(path);
        return path;
    }();
    static QQmlComponent *component = [] {
        auto *c = new QQmlComponent(engine);
        c->setData("import QtQuick 2.15\nimport Zarno 2.0\n"
                   "LevelEditor {\n"
                   "    function loadEach() {\n"
                   "        var levels = applicationJSONLevels || []\n"
                   "        for (var i = 0; i < levels.length && i < 8; ++i)\n"
                   "            loadSingleLevel(levels[i] ? levels[i].levelMetaData : levels[i])\n"
                   "    }\n"
                   "}\n",
                   QUrl(QStringLiteral("file:///fuzz/Levels.qml")));
        return c;
    }();
    zarnoFuzzWrite(QStringLiteral("levels/level.json"), data, size);
    QObject *editor = component->beginCreate(engine->rootContext());
    if (!editor)
        std::abort();
    editor->setProperty("applicationJSONLevelsDirectory", QUrl::fromLocalFile(folder));
    component->completeCreate();
    QMetaObject::invokeMethod(editor, "loadEach");
    delete editor;
    return 0;
}
