#include "app/zrapplication.h"
#include "scheduling/zrstepdriver.h"

#include <QtTest>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QFileSelector>
#include <QQmlComponent>
#include <QVariantAnimation>

class tst_ZRApplication : public QObject
{
    Q_OBJECT
private slots:
    void importPathsPreferDiskQml();
    void listInterpolator();
    void mainQmlFileNameWarnsOnlyForPublishFromDisk();
    void stepDriverStartsWithRootObject();
    void engineOutlivingHostDropsInterceptor();
    void initializeWithoutEngine();
};

void tst_ZRApplication::importPathsPreferDiskQml()
{
    // The working directory is the repository root, which has a qml folder.
    QQmlEngine engine;
    ZRApplication zarnoApp;
    zarnoApp.initialize(&engine);
    const QStringList paths = engine.importPathList();
    QVERIFY(paths.size() >= 2);
    QCOMPARE(paths.at(0), QDir::current().absoluteFilePath(QStringLiteral("qml")));
    QCOMPARE(paths.at(1), QStringLiteral("qrc:/qml"));
    QCOMPARE(paths.count(QStringLiteral("qrc:/qml")), 1);
    QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Quillox"));
    QCOMPARE(qgetenv("QSG_RENDER_LOOP"), QByteArray("basic"));
    QCOMPARE(QGuiApplication::font().pixelSize(), 14);
}

void tst_ZRApplication::listInterpolator()
{
    QQmlEngine engine;
    ZRApplication zarnoApp;
    zarnoApp.initialize(&engine);
    QVariantAnimation animation;
    animation.setStartValue(QVariantList{0, 10});
    animation.setEndValue(QVariantList{10, 20});
    animation.setDuration(1000);
    animation.setCurrentTime(500);
    QCOMPARE(animation.currentValue().toList(), (QVariantList{5.0, 15.0}));
    // A shorter end list keeps the extra start elements as they are.
    animation.setEndValue(QVariantList{10});
    animation.setCurrentTime(250);
    QCOMPARE(animation.currentValue().toList(), (QVariantList{2.5, 10.0}));
}

void tst_ZRApplication::mainQmlFileNameWarnsOnlyForPublishFromDisk()
{
    // The repository's configuration is a publish build.
    QQmlEngine engine;
    ZRApplication zarnoApp;
    zarnoApp.initialize(&engine);
    zarnoApp.setMainQmlFileName(QStringLiteral("qrc:/qml/Main.qml"));
    zarnoApp.setMainQmlFileName(QStringLiteral(":/qml/Main.qml"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(
        "WARNING: you are building a publishBuild, but your mainQmlFile entry point is not loaded from RESOURCES"));
    zarnoApp.setMainQmlFileName(QStringLiteral("qml/Main.qml"));
    QCOMPARE(zarnoApp.mainQmlFileName(), QStringLiteral("qml/Main.qml"));
}

void tst_ZRApplication::stepDriverStartsWithRootObject()
{
    QQmlApplicationEngine engine;
    ZRApplication zarnoApp;
    zarnoApp.initialize(&engine);
    QCOMPARE(zarnoApp.stepDriver()->state(), QAbstractAnimation::Stopped);
    QCOMPARE(engine.rootContext()->contextProperty("stepDriver").value<QObject *>(), zarnoApp.stepDriver());
    engine.loadData("import QtQuick 2.0\nItem {}");
    QCOMPARE(zarnoApp.stepDriver()->state(), QAbstractAnimation::Running);
}

void tst_ZRApplication::engineOutlivingHostDropsInterceptor()
{
    QQmlEngine engine;
    {
        ZRApplication zarnoApp;
        zarnoApp.initialize(&engine);
        QVERIFY(engine.urlInterceptor());
    }
    // A later URL resolution must not reach the deleted interceptor.
    QCOMPARE(engine.urlInterceptor(), nullptr);
    QQmlComponent component(&engine);
    component.setData("import QtQuick 2.0\nImage { source: \"img/none.png\" }", QUrl());
    QScopedPointer<QObject> image(component.create());
    QVERIFY(image);
    QVERIFY(image->property("source").toUrl().toString().endsWith(QLatin1String("img/none.png")));
}

void tst_ZRApplication::initializeWithoutEngine()
{
    ZRApplication zarnoApp;
    QTest::ignoreMessage(QtWarningMsg, "ZRApplication WARNING: initialize needs a QML engine, nothing is set up");
    zarnoApp.initialize(nullptr);
    QCOMPARE(zarnoApp.system(), nullptr);
    // A host without an engine can still compute the selection.
    zarnoApp.setupScreenContext();
    QCOMPARE(zarnoApp.fileSelector()->extraSelectors(), (QStringList{"hd", "sd"}));
}

QTEST_MAIN(tst_ZRApplication)
#include "tst_zrapplication.moc"
