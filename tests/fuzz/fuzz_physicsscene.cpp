// Physics scene files (JSON) as the scene parser builds them into a world, which then
// steps: bodies, fixtures and joints that load must also simulate. The parser is
// JavaScript, so libFuzzer sees coverage only where it reaches the native physics.
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
        (new ZRApplication(e))->initialize(e);
        return e;
    }();
    static QQmlComponent *component = [] {
        auto *c = new QQmlComponent(engine);
        c->setData("import QtQuick 2.15\nimport Zarno 2.0\n"
                   "Item {\n"
                   "    World { id: world; running: false }\n"
                   "    Item { id: container }\n"
                   "    RubeParser { id: parser }\n"
                   "    function build(text) {\n"
                   "        parser.__build(text, \"file:///fuzz/scene.json\", world, container)\n"
                   "        for (var i = 0; i < 4; ++i)\n"
                   "            world.step(1 / 60)\n"
                   "    }\n"
                   "}\n",
                   QUrl::fromLocalFile(QStringLiteral(ZARNO_SOURCE_DIR "/examples/physicsscene/Fuzz.qml")));
        return c;
    }();
    std::unique_ptr<QObject> root(component->create());
    if (!root)
        std::abort();
    QMetaObject::invokeMethod(root.get(), "build",
                              Q_ARG(QVariant, QString::fromUtf8(reinterpret_cast<const char *>(data), int(size))));
    return 0;
}
