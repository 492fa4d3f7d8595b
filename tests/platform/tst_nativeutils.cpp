#include "platform/nativeutils.h"

#include "support/warningcollector.h"

#include <QApplication>
#include <QDesktopServices>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrlQuery>
#include <QtTest>
#include <functional>

#ifdef ZARNO_HAS_QT3DCORE
#include <Qt3DCore/QEntity>
#include <Qt3DCore/QTransform>
#endif

static const char guiOnlyFlag[] = "--gui-only";

// Receives what would have gone to the desktop's URL handlers.
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void handle(const QUrl &url) { urls.append(url); }
};

// Runs `action` on the dialog once the modal loop shows it. Gives up (closing
// every window) rather than leaving the test blocked in exec() forever.
static void whenModalShown(std::function<void(QWidget *)> action)
{
    auto *poll = new QTimer;
    auto tries = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, [poll, tries, action]() {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible()) {
            poll->deleteLater();
            poll->stop();
            action(modal);
        } else if (++*tries > 1000) {
            poll->deleteLater();
            poll->stop();
            QApplication::closeAllWindows();
        }
    });
    poll->start(10);
}

static QAbstractButton *standardButton(QWidget *modal, QMessageBox::StandardButton which)
{
    auto *box = qobject_cast<QMessageBox *>(modal);
    return box ? box->button(which) : nullptr;
}

// Child process without QApplication: dialogs must refuse, not abort.
static int runGuiOnly(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    WarningCollector collector;
    NativeUtils utils(nullptr);
    QList<QVariantList> finished;
    QObject::connect(&utils, &NativeUtils::messageBoxFinished, [&](bool accepted) { finished << QVariantList{accepted}; });
    QObject::connect(&utils, &NativeUtils::textInputFinished,
                     [&](bool accepted, const QString &text) { finished << QVariantList{accepted, text}; });
    utils.displayMessageBox(QStringLiteral("Really quit the game?"), QString(), 2);
    utils.displayTextInput(QStringLiteral("Name"), QStringLiteral("Your name"));
    const QString refusal = QStringLiteral("NativeUtils WARNING: native dialogs need a QApplication, the dialog is not shown");
    const bool ok = collector.warnings == QStringList{refusal, refusal}
        && finished == QList<QVariantList>{QVariantList{false}, QVariantList{false, QString()}};
    return ok ? 0 : 1;
}

class tst_NativeUtils : public QObject
{
    Q_OBJECT
private slots:
    void constructionPublishesHiddenStatusBar();
    void displaySleepEnabledEmitsOnlyOnChange();
    void okCancelMessageBox();
    void okOnlyMessageBoxAlwaysAccepts_data();
    void okOnlyMessageBoxAlwaysAccepts();
    void textInput();
    void dialogsRefuseWithoutWidgets();
    void openUrlIsTolerant();
    void sendEmailEncodesSafely();
    void setNewParent();
    void setNewParentRejectsBadInput();
    void setNewParentMovesEntityComponents();
    void clearComponentCacheRereadsDocuments();
};

void tst_NativeUtils::constructionPublishesHiddenStatusBar()
{
    QQmlEngine engine;
    NativeUtils utils(&engine);
    QCOMPARE(engine.rootContext()->contextProperty("platformStatusBarVisible"), QVariant(false));
    engine.rootContext()->setContextProperty(QStringLiteral("platformStatusBarVisible"), true);
    utils.setStatusBarStyle(NativeUtils::StatusBarStyleBlack);
    QCOMPARE(engine.rootContext()->contextProperty("platformStatusBarVisible"), QVariant(false));
    QCOMPARE(utils.statusBarHeight(), 0);

    // From QML: enum by name, invokables and the fixed values.
    engine.rootContext()->setContextProperty(QStringLiteral("nativeUtils"), &utils);
    qmlRegisterUncreatableType<NativeUtils>("NativeUtilsTest", 1, 0, "NativeUtils", QStringLiteral("no"));
    QQmlComponent component(&engine);
    component.setData("import QtQml 2.0\nimport NativeUtilsTest 1.0\n"
                      "QtObject { property int height: { nativeUtils.setStatusBarStyle(NativeUtils.StatusBarStyleWhite);"
                      " nativeUtils.vibrate(); nativeUtils.setWindowColor('red'); return nativeUtils.statusBarHeight() } }",
                      QUrl());
    QScopedPointer<QObject> object(component.create());
    QVERIFY2(object, qPrintable(component.errorString()));
    QCOMPARE(object->property("height").toInt(), 0);
}

void tst_NativeUtils::displaySleepEnabledEmitsOnlyOnChange()
{
    NativeUtils utils(nullptr);
    QSignalSpy spy(&utils, &NativeUtils::displaySleepEnabledChanged);
    QCOMPARE(utils.displaySleepEnabled(), false);
    utils.setDisplaySleepEnabled(false);
    QCOMPARE(spy.count(), 0);
    utils.setDisplaySleepEnabled(true);
    utils.setDisplaySleepEnabled(true);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0), QVariant(true));
    QVERIFY(utils.setProperty("displaySleepEnabled", false));
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(1).at(0), QVariant(false));
}

void tst_NativeUtils::okCancelMessageBox()
{
    NativeUtils utils(nullptr);
    QSignalSpy spy(&utils, &NativeUtils::messageBoxFinished);

    QString text, informative;
    bool hasOk = false, hasCancel = false;
    whenModalShown([&](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        text = box->text();
        informative = box->informativeText();
        hasOk = standardButton(modal, QMessageBox::Ok);
        hasCancel = standardButton(modal, QMessageBox::Cancel);
        standardButton(modal, QMessageBox::Cancel)->click();
    });
    utils.displayMessageBox(QStringLiteral("Really quit the game?"), QString(), 2);
    QCOMPARE(text, QStringLiteral("Really quit the game?"));
    QCOMPARE(informative, QString());
    QVERIFY(hasOk);
    QVERIFY(hasCancel);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.takeFirst().at(0), QVariant(false));

    whenModalShown([](QWidget *modal) { standardButton(modal, QMessageBox::Ok)->click(); });
    utils.displayMessageBox(QStringLiteral("Sure?"), QStringLiteral("Progress is kept."), 2 | 1);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.takeFirst().at(0), QVariant(true));

    // Escape and the window's close button count as Cancel.
    whenModalShown([](QWidget *modal) { QTest::keyClick(modal, Qt::Key_Escape); });
    utils.displayMessageBox(QStringLiteral("Sure?"), QString(), 2);
    whenModalShown([](QWidget *modal) { modal->close(); });
    utils.displayMessageBox(QStringLiteral("Sure?"), QString(), 2);
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(0).at(0), QVariant(false));
    QCOMPARE(spy.at(1).at(0), QVariant(false));
}

void tst_NativeUtils::okOnlyMessageBoxAlwaysAccepts_data()
{
    QTest::addColumn<int>("how");
    QTest::newRow("OK button") << 0;
    QTest::newRow("Escape") << 1;
    QTest::newRow("close button") << 2;
}

void tst_NativeUtils::okOnlyMessageBoxAlwaysAccepts()
{
    QFETCH(int, how);
    NativeUtils utils(nullptr);
    QSignalSpy spy(&utils, &NativeUtils::messageBoxFinished);
    bool onlyOk = false;
    whenModalShown([&](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        onlyOk = box->standardButtons() == QMessageBox::Ok;
        if (how == 0)
            box->button(QMessageBox::Ok)->click();
        else if (how == 1)
            QTest::keyClick(box, Qt::Key_Escape);
        else
            box->close();
    });
    utils.displayMessageBox(QStringLiteral("Saved"));
    QVERIFY(onlyOk);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0), QVariant(true));
}

void tst_NativeUtils::textInput()
{
    NativeUtils utils(nullptr);
    QSignalSpy spy(&utils, &NativeUtils::textInputFinished);

    QString title, label, initial;
    whenModalShown([&](QWidget *modal) {
        auto *dialog = qobject_cast<QInputDialog *>(modal);
        title = dialog->windowTitle();
        label = dialog->labelText();
        initial = dialog->textValue();
        QCOMPARE(dialog->textEchoMode(), QLineEdit::Normal);
        dialog->setTextValue(QStringLiteral("Quill"));
        dialog->accept();
    });
    utils.displayTextInput(QStringLiteral("Name"), QStringLiteral("Your name"), QStringLiteral("Player"));
    // Without a text, the placeholder is what the field starts with.
    QCOMPARE(title, QStringLiteral("Name"));
    QCOMPARE(label, QStringLiteral("Your name"));
    QCOMPARE(initial, QStringLiteral("Player"));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.takeFirst(), (QVariantList{true, QStringLiteral("Quill")}));

    whenModalShown([&](QWidget *modal) {
        initial = qobject_cast<QInputDialog *>(modal)->textValue();
        qobject_cast<QInputDialog *>(modal)->reject();
    });
    utils.displayTextInput(QStringLiteral("Name"), QStringLiteral("Your name"), QStringLiteral("Player"), QStringLiteral("Ann"));
    QCOMPARE(initial, QStringLiteral("Ann"));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.takeFirst(), (QVariantList{false, QString()}));
}

void tst_NativeUtils::dialogsRefuseWithoutWidgets()
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QLatin1String(guiOnlyFlag)});
    QVERIFY(child.waitForFinished(60000));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QVERIFY2(child.exitCode() == 0, child.readAllStandardError().constData());
}

void tst_NativeUtils::openUrlIsTolerant()
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "handle");
    NativeUtils utils(nullptr);
    utils.openUrl(QStringLiteral("https://example.org/a b?q=1"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QCOMPARE(catcher.urls.size(), 1);
    QCOMPARE(catcher.urls.first().toString(QUrl::FullyEncoded), QStringLiteral("https://example.org/a%20b?q=1"));
}

void tst_NativeUtils::sendEmailEncodesSafely()
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &catcher, "handle");
    NativeUtils utils(nullptr);
    utils.sendEmail(QStringLiteral("me@example.org"));
    utils.sendEmail(QStringLiteral("me@example.org"), QStringLiteral("a b"));
    const QString subject = QStringLiteral("Score & more=100% #1 + ü");
    const QString body = QStringLiteral("line 1\nline 2&bcc=spy@example.org");
    utils.sendEmail(QStringLiteral("me@example.org"), subject, body);
    utils.sendEmail(QStringLiteral("me@example.org"), QString(), QStringLiteral("only body"));
    utils.sendEmail(QStringLiteral("me@example.org?cc=spy@example.org"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
    QCOMPARE(catcher.urls.size(), 5);

    // Nothing to say: no query at all, not even an empty one.
    QCOMPARE(catcher.urls.at(0).toString(QUrl::FullyEncoded), QStringLiteral("mailto:me@example.org"));
    QVERIFY(!catcher.urls.at(0).hasQuery());
    QCOMPARE(catcher.urls.at(1).toString(QUrl::FullyEncoded), QStringLiteral("mailto:me@example.org?subject=a%20b"));

    // Delimiters in the texts stay inside their items: exactly two, subject first,
    // and they decode back to the original texts.
    const QUrlQuery query(catcher.urls.at(2));
    const auto items = query.queryItems(QUrl::FullyDecoded);
    QCOMPARE(items.size(), 2);
    QCOMPARE(items.at(0).first, QStringLiteral("subject"));
    QCOMPARE(items.at(0).second, subject);
    QCOMPARE(items.at(1).first, QStringLiteral("body"));
    QCOMPARE(items.at(1).second, body);
    QVERIFY(!catcher.urls.at(2).hasFragment());

    QCOMPARE(catcher.urls.at(3).toString(QUrl::FullyEncoded), QStringLiteral("mailto:me@example.org?body=only%20body"));
    // The recipient cannot add header fields of its own.
    QVERIFY(!catcher.urls.at(4).hasQuery());
    QCOMPARE(catcher.urls.at(4).path(), QStringLiteral("me@example.org?cc=spy@example.org"));
}

void tst_NativeUtils::setNewParent()
{
    NativeUtils utils(nullptr);
    QObject first, second;
    auto *child = new QObject(&first);
    utils.setNewParent(child, &second);
    QCOMPARE(child->parent(), &second);
    QVERIFY(first.children().isEmpty());

    // No new parent: the object goes away at the next event-loop turn, not at once.
    QPointer<QObject> guard(child);
    utils.setNewParent(child);
    QVERIFY(guard);
    QCOMPARE(child->parent(), nullptr);
    QTRY_VERIFY(guard.isNull());
}

void tst_NativeUtils::setNewParentRejectsBadInput()
{
    NativeUtils utils(nullptr);
    QObject root;
    auto *middle = new QObject(&root);
    auto *leaf = new QObject(middle);

    QTest::ignoreMessage(QtWarningMsg, "NativeUtils WARNING: setNewParent called without a child object");
    utils.setNewParent(nullptr, &root);

    const char loop[] = "NativeUtils WARNING: setNewParent cannot make an object a child of itself or of its own descendant";
    QTest::ignoreMessage(QtWarningMsg, loop);
    utils.setNewParent(middle, leaf);
    QTest::ignoreMessage(QtWarningMsg, loop);
    utils.setNewParent(middle, middle);
    QCOMPARE(middle->parent(), &root);
    QCOMPARE(leaf->parent(), middle);
}

void tst_NativeUtils::setNewParentMovesEntityComponents()
{
#ifdef ZARNO_HAS_QT3DCORE
    NativeUtils utils(nullptr);
    Qt3DCore::QEntity oldScene, newScene, sharedOwner;
    auto *entity = new Qt3DCore::QEntity(&oldScene);
    auto *own = new Qt3DCore::QTransform(entity);
    auto *shared = new Qt3DCore::QTransform(&sharedOwner);
    entity->addComponent(own);
    entity->addComponent(shared);

    utils.setNewParent(entity, &newScene);
    QCOMPARE(entity->parentEntity(), &newScene);
    QCOMPARE(entity->components(), (Qt3DCore::QComponentVector{own, shared}));
    QCOMPARE(own->parent(), entity);
    QCOMPARE(shared->parent(), &sharedOwner);
    QCOMPARE(own->entities(), (QVector<Qt3DCore::QEntity *>{entity}));
#else
    QSKIP("built without Qt 3D");
#endif
}

void tst_NativeUtils::clearComponentCacheRereadsDocuments()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Doc.qml"));
    auto write = [&](int value) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("import QtQml 2.0\nQtObject { property int value: %1 }\n").arg(value).toUtf8());
    };
    QQmlEngine engine;
    NativeUtils utils(&engine);
    write(1);
    {
        QQmlComponent component(&engine, QUrl::fromLocalFile(path));
        QScopedPointer<QObject> object(component.create());
        QCOMPARE(object->property("value").toInt(), 1);
    }
    write(2);
    utils.clearComponentCache();
    QQmlComponent component(&engine, QUrl::fromLocalFile(path));
    QScopedPointer<QObject> object(component.create());
    QCOMPARE(object->property("value").toInt(), 2);
}

int main(int argc, char **argv)
{
    if (argc > 1 && qstrcmp(argv[1], guiOnlyFlag) == 0)
        return runGuiOnly(argc, argv);
    QApplication app(argc, argv);
    tst_NativeUtils test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_nativeutils.moc"
