#include "app/zrapplication.h"
#include "particles/particleitem.h"
#include "support/warningcollector.h"

#include <QQmlComponent>
#include <QQmlEngine>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

#include <memory>

class tst_ParticleItem : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void qmlValuesWinOverFiles_data();
    void qmlValuesWinOverFiles();
    void laterFileKeepsUserValues();
    void emissionRate_data();
    void emissionRate();
    void savedPropertyListRoundTrips();
    void badFilesWarnAndChangeNothing_data();
    void badFilesWarnAndChangeNothing();

private:
    QString writeParticleFile(const QString &name, const QByteArray &json);
    ParticleItem *create(const QByteArray &body);

    QTemporaryDir m_dir;
    std::unique_ptr<QQmlEngine> m_engine;
    std::unique_ptr<QObject> m_item;
};

void tst_ParticleItem::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

void tst_ParticleItem::init()
{
    m_engine = std::make_unique<QQmlEngine>();
    auto *app = new ZRApplication(m_engine.get());
    app->initialize(m_engine.get());
}

void tst_ParticleItem::cleanup()
{
    m_item.reset();
    m_engine.reset();
}

QString tst_ParticleItem::writeParticleFile(const QString &name, const QByteArray &json)
{
    QFile file(m_dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    file.write(json);
    return QUrl::fromLocalFile(file.fileName()).toString();
}

ParticleItem *tst_ParticleItem::create(const QByteArray &body)
{
    QQmlComponent component(m_engine.get());
    component.setData("import QtQuick 2.15\nimport Zarno 2.0\nParticleZarnoBase {\n" + body + "\n}\n",
                      QUrl::fromLocalFile(m_dir.filePath("Test.qml")));
    m_item.reset(component.create());
    if (!m_item)
        qWarning() << component.errors();
    return qobject_cast<ParticleItem *>(m_item.get());
}

void tst_ParticleItem::qmlValuesWinOverFiles_data()
{
    QTest::addColumn<QByteArray>("qml");
    QTest::addColumn<QByteArray>("parameters");
    QTest::addColumn<QString>("property");
    QTest::addColumn<QVariant>("expected");

    QTest::newRow("file alone") << QByteArray() << QByteArray(R"("speed": 300)") << "speed" << QVariant(300.0);
    QTest::newRow("binding beats file") << QByteArray("speed: 120") << QByteArray(R"("speed": 300)") << "speed" << QVariant(120.0);
    QTest::newRow("equal binding still counts") << QByteArray("speed: 0") << QByteArray(R"("speed": 300)") << "speed" << QVariant(0.0);
    QTest::newRow("rotation sets angle") << QByteArray() << QByteArray(R"("rotation": 45)") << "angle" << QVariant(45.0);
    QTest::newRow("item rotation from QML blocks angle") << QByteArray("rotation: 10") << QByteArray(R"("rotation": 45)") << "angle" << QVariant(0.0);
    QTest::newRow("angle from QML") << QByteArray("angle: 5") << QByteArray(R"("angle": 45)") << "angle" << QVariant(5.0);
    QTest::newRow("x from file") << QByteArray() << QByteArray(R"("x": 11)") << "x" << QVariant(11.0);
    QTest::newRow("x from QML") << QByteArray("x: 3") << QByteArray(R"("x": 11)") << "x" << QVariant(3.0);
    QTest::newRow("gravity text") << QByteArray() << QByteArray(R"("gravity": "0,-50")") << "gravity" << QVariant(QPointF(0, -50));
    QTest::newRow("gravity with a semicolon") << QByteArray() << QByteArray(R"("gravity": "0;-50")") << "gravity" << QVariant(QPointF());
    QTest::newRow("alpha from QML survives the file's colour")
        << QByteArray("startColorAlpha: 0.5") << QByteArray(R"("startColor": "#ff0000")") << "startColor"
        << QVariant(QColor::fromRgbF(1, 0, 0, 0.5));
    QTest::newRow("first member in name order")
        << QByteArray() << QByteArray(R"("duration": 7 }, "a": { "duration": 3)") << "duration" << QVariant(3.0);
}

void tst_ParticleItem::qmlValuesWinOverFiles()
{
    QFETCH(QByteArray, qml);
    QFETCH(QByteArray, parameters);
    QFETCH(QString, property);
    QFETCH(QVariant, expected);
    const QString file = writeParticleFile("rule.json", "{ \"b\": { " + parameters + " } }");
    // The binding is applied before completion, the file loaded at completion.
    ParticleItem *item = create(qml + "\nfileName: \"" + file.toUtf8() + "\"");
    QVERIFY(item);
    QCOMPARE(item->property(property.toUtf8()), expected);
}

void tst_ParticleItem::laterFileKeepsUserValues()
{
    const QString first = writeParticleFile("first.json", R"({"p": {"speed": 300, "duration": 2, "startColor": "#00ff00"}})");
    const QString second = writeParticleFile("second.json", R"({"p": {"speed": 500, "duration": 4, "startColor": "#0000ff"}})");
    ParticleItem *item = create("fileName: \"" + first.toUtf8() + "\"");
    QVERIFY(item);
    QCOMPARE(item->speed(), 300.0);
    // Written after the file, then another file arrives: only the untouched values follow it.
    QSignalSpy speedSpy(item, &ParticleItem::speedChanged);
    item->setProperty("speed", 120.0);
    item->setProperty("startColorAlpha", 0.25);
    item->setFileName(QUrl(second));
    QCOMPARE(item->speed(), 120.0);
    QCOMPARE(speedSpy.count(), 1);
    QCOMPARE(item->duration(), 4.0);
    QCOMPARE(item->startColor().blue(), 255);
    QVERIFY(qAbs(item->startColorAlpha() - 0.25) < 1e-4);
}

void tst_ParticleItem::emissionRate_data()
{
    QTest::addColumn<double>("maxParticles");
    QTest::addColumn<double>("lifespan");
    QTest::addColumn<double>("variance");
    QTest::addColumn<double>("storedMax");
    QTest::addColumn<double>("rate");

    QTest::newRow("life") << 100.0 << 2.0 << 0.0 << 100.0 << 50.0;
    QTest::newRow("variance stands in for no life") << 100.0 << 0.0 << 0.5 << 100.0 << 200.0;
    QTest::newRow("neither: one second") << 100.0 << 0.0 << 0.0 << 100.0 << 100.0;
    QTest::newRow("negative life") << 100.0 << -3.0 << -1.0 << 100.0 << 100.0;
    QTest::newRow("fraction truncated") << 10.9 << 1.0 << 0.0 << 10.0 << 10.0;
    QTest::newRow("NaN maximum") << qQNaN() << 1.0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("huge maximum") << 1e300 << 1.0 << 0.0 << double(ParticleItem::MaxParticlesCeiling)
                                  << double(ParticleItem::MaxParticlesCeiling);
    QTest::newRow("negative maximum") << -5.0 << 1.0 << 0.0 << 0.0 << 0.0;
}

void tst_ParticleItem::emissionRate()
{
    QFETCH(double, maxParticles);
    QFETCH(double, lifespan);
    QFETCH(double, variance);
    QFETCH(double, storedMax);
    QFETCH(double, rate);
    ParticleItem item;
    item.setParticleLifespanVariance(variance);
    item.setParticleLifespan(lifespan);
    item.setMaxParticles(maxParticles);
    QCOMPARE(item.maxParticles(), storedMax);
    QCOMPARE(item.emissionRate(), rate);
    QVERIFY(qIsFinite(item.emissionRate()));
}

void tst_ParticleItem::savedPropertyListRoundTrips()
{
    QFile(m_dir.filePath("spark & ember 100%.png")).open(QIODevice::WriteOnly);
    const QString file = writeParticleFile("full.json", R"({
        "zz": { "speed": 1 },
        "emitter": {
            "angle": 33.25, "angleVariance": 10, "blendFuncDestination": 1, "blendFuncSource": 770,
            "duration": 0.123456789, "emitterType": 1,
            "finishColor": "#40204080", "finishColorVariance": "#10101010",
            "finishParticleSize": 12, "finishParticleSizeVariance": 3, "gravity": "5,-50",
            "maxParticles": 120, "maxRadius": 100, "maxRadiusVariance": 5, "minRadius": 2, "minRadiusVariance": 1,
            "particleLifespan": 2.5, "particleLifespanVariance": 0.25,
            "radialAccelVariance": 4, "radialAcceleration": -7, "rotatePerSecond": 90, "rotatePerSecondVariance": 9,
            "sourcePositionVariance": "7,8", "x": 11, "y": 12, "speed": 123.456789, "speedVariance": 6,
            "startColor": "#ff8000", "startColorVariance": "#20202020",
            "startParticleSize": 16, "startParticleSizeVariance": 2,
            "tangentialAccelVariance": 3, "tangentialAcceleration": 14, "textureFileName": "spark & ember 100%.png"
        }
    })");
    ParticleItem *item = create("fileName: \"" + file.toUtf8() + "\"");
    QVERIFY(item);
    const QString target = m_dir.filePath("saved.plist");
    item->saveAsPList(QUrl::fromLocalFile(target));

    const auto colour = [](const QString &prefix, const QColor &c) {
        return QList<QPair<QString, double>>{{prefix + "Alpha", c.alphaF()}, {prefix + "Blue", c.blueF()},
                                             {prefix + "Green", c.greenF()}, {prefix + "Red", c.redF()}};
    };
    QMap<QString, double> reals{
        {"angle", 33.25}, {"angleVariance", 10}, {"duration", 0.123456789}, {"emitterType", 1},
        {"finishParticleSize", 12}, {"finishParticleSizeVariance", 3}, {"gravityx", 5}, {"gravityy", -50},
        {"maxParticles", 120}, {"maxRadius", 100}, {"maxRadiusVariance", 5}, {"minRadius", 2}, {"minRadiusVariance", 1},
        {"particleLifespan", 2.5}, {"particleLifespanVariance", 0.25}, {"radialAccelVariance", 4},
        {"radialAcceleration", -7}, {"rotatePerSecond", 90}, {"rotatePerSecondVariance", 9},
        {"sourcePositionVariancex", 7}, {"sourcePositionVariancey", 8}, {"sourcePositionx", 11}, {"sourcePositiony", 12},
        {"speed", 123.456789}, {"speedVariance", 6}, {"startParticleSize", 16}, {"startParticleSizeVariance", 2},
        {"tangentialAccelVariance", 3}, {"tangentialAcceleration", 14}};
    for (const auto &[prefix, text] : {std::pair{"finishColor", "#40204080"}, {"finishColorVariance", "#10101010"},
                                       {"startColor", "#ff8000"}, {"startColorVariance", "#20202020"}}) {
        for (const auto &component : colour(prefix, QColor(text)))
            reals.insert(component.first, component.second);
    }
    const QMap<QString, QString> others{{"blendFuncDestination", "integer:1"}, {"blendFuncSource", "integer:770"},
                                        {"textureFileName", "string:spark & ember 100%.png"}, {"textureImageData", "string:"}};

    QFile saved(target);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&saved);
    QVERIFY(xml.readNextStartElement());
    QCOMPARE(xml.name(), QLatin1String("plist"));
    QVERIFY(xml.readNextStartElement());
    QCOMPARE(xml.name(), QLatin1String("dict"));
    QStringList keys;
    while (xml.readNextStartElement()) {
        QCOMPARE(xml.name(), QLatin1String("key"));
        const QString key = xml.readElementText();
        QVERIFY(xml.readNextStartElement());
        const QString kind = xml.name().toString();
        const QString value = xml.readElementText();
        if (reals.contains(key)) {
            QCOMPARE(kind, QString("real"));
            QVERIFY2(value.toDouble() == reals.value(key), qPrintable(key + " = " + value));
        } else {
            QCOMPARE(kind + ':' + value, others.value(key, "unexpected key " + key));
        }
        QVERIFY2(keys.isEmpty() || keys.last() < key, qPrintable(key + " after " + keys.value(keys.size() - 1)));
        keys << key;
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(keys.size(), reals.size() + others.size());
}

void tst_ParticleItem::badFilesWarnAndChangeNothing_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("warnings");
    QTest::addColumn<double>("speed");
    QTest::addColumn<double>("maxParticles");

    const QString wrongType = "\\[ParticleItem\\] WARNING: %1 in particle file .* has the wrong type, ignored";
    QTest::newRow("missing") << QByteArray() << QStringList{"\\[ParticleItem\\] WARNING: particle file .* was not found"}
                             << 0.0 << 0.0;
    QTest::newRow("invalid JSON") << QByteArray(R"({"p": {"speed": 5,)")
                                  << QStringList{"^\\[System\\]- \\[WARNING\\]: System can't parse stringData file",
                                                 "holds no parameter object"}
                                  << 0.0 << 0.0;
    QTest::newRow("no parameter object") << QByteArray(R"({"p": 5})") << QStringList{"holds no parameter object"} << 0.0 << 0.0;
    QTest::newRow("wrong types")
        << QByteArray(R"({"p": {"speed": "fast", "running": 1, "startColor": "no colour", "gravity": 5,
                               "emitterType": 7, "textureFileName": 3, "maxParticles": [1], "opacity": 0.5, "fileName": "x.json"}})")
        << QStringList{wrongType.arg("emitterType"), "fileName in particle file .* is ignored", wrongType.arg("gravity"),
                       wrongType.arg("maxParticles"), "opacity in particle file .* is no particle parameter",
                       wrongType.arg("running"), wrongType.arg("speed"), wrongType.arg("startColor"),
                       wrongType.arg("textureFileName")}
        << 0.0 << 0.0;
    QTest::newRow("huge numbers") << QByteArray(R"({"p": {"speed": -1e300, "maxParticles": 1e300}})")
                                  << QStringList{"maxParticles in particle file .* is out of range, 1e\\+09 used",
                                                 "speed in particle file .* is out of range, -1e\\+09 used"}
                                  << -1e9 << double(ParticleItem::MaxParticlesCeiling);
}

void tst_ParticleItem::badFilesWarnAndChangeNothing()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, warnings);
    QFETCH(double, speed);
    QFETCH(double, maxParticles);
    const QString file = content.isEmpty() ? QUrl::fromLocalFile(m_dir.filePath("absent.json")).toString()
                                           : writeParticleFile("bad.json", content);
    WarningCollector collector;
    ParticleItem *item = create("fileName: \"" + file.toUtf8() + "\"");
    QVERIFY(item);
    QCOMPARE(item->speed(), speed);
    QCOMPARE(item->maxParticles(), maxParticles);
    QCOMPARE(item->running(), false);
    QCOMPARE(item->opacity(), 1.0);
    QCOMPARE(collector.warnings.size(), warnings.size());
    // Members are applied in name order, so the warnings come in that order too.
    for (int i = 0; i < warnings.size(); ++i)
        QVERIFY2(collector.warnings.at(i).contains(QRegularExpression(warnings.at(i))), qPrintable(collector.warnings.at(i)));
}

QTEST_MAIN(tst_ParticleItem)
#include "tst_particleitem.moc"
