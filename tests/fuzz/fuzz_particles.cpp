// Particle files as a particle item reads them when its fileName is set.
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
        c->setData("import Zarno 2.0\nParticleZarnoBase { autoStart: false }\n", QUrl(QStringLiteral("file:///fuzz/Particle.qml")));
        return c;
    }();
    const QUrl file = QUrl::fromLocalFile(zarnoFuzzWrite(QStringLiteral("particle.json"), data, size));
    std::unique_ptr<QObject> item(component->create());
    if (!item)
        std::abort();
    item->setProperty("fileName", file);
    return 0;
}
