#include "app/zrapplication.h"
#include "components/typewriteritem.h"

#include "support/warningcollector.h"

#include <QtTest>
#include <QElapsedTimer>
#include <QQmlComponent>
#include <QQmlEngine>
#include <memory>

namespace {

const char noTimer[] = "TypeWriterItem: The timer of this item was not available. The function completed() may not be called before from the system.";

}

class tst_TypeWriterItem : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void revealsOneCharacterPerDelayAndFinishesOneTickLater();
    void delayBelowOneShowsEverythingAtOnce_data();
    void delayBelowOneShowsEverythingAtOnce();
    void pauseContinuesAndNewTextRestarts();
    void delayChangeWhileTypingKeepsTyping();

private:
    TypeWriterItem *create(const QByteArray &body);
    static void tick(TypeWriterItem *item) { QMetaObject::invokeMethod(item, "updateTypeWriter"); }

    QQmlEngine m_engine;
    ZRApplication m_app;
    std::unique_ptr<QObject> m_root;
};

void tst_TypeWriterItem::initTestCase()
{
    m_app.initialize(&m_engine);
}

TypeWriterItem *tst_TypeWriterItem::create(const QByteArray &body)
{
    QQmlComponent component(&m_engine);
    component.setData("import Zarno 2.0\nTypeWriterItem {" + body + "}", QUrl(QStringLiteral("file:///typewriter.qml")));
    m_root.reset(component.create());
    if (!m_root)
        qWarning() << component.errorString();
    return qobject_cast<TypeWriterItem *>(m_root.get());
}

void tst_TypeWriterItem::revealsOneCharacterPerDelayAndFinishesOneTickLater()
{
    QElapsedTimer clock;
    QList<QPair<QString, qint64>> shown;
    qint64 finishedAt = -1;
    // Declared text warns (no timer yet) and starts by itself at completion.
    QTest::ignoreMessage(QtWarningMsg, noTimer);
    clock.start();
    TypeWriterItem *item = create("textSource: \"abc\"");
    QVERIFY(item);
    QVERIFY(item->running());
    connect(item, &TypeWriterItem::typeWriterTextChanged, this, [&] { shown.append({ item->typeWriterText(), clock.elapsed() }); });
    connect(item, &TypeWriterItem::typeWriterFinished, this, [&] { finishedAt = clock.elapsed(); });

    QTRY_VERIFY_WITH_TIMEOUT(finishedAt >= 0, 3000);
    QCOMPARE(shown.size(), 3);
    const QStringList texts = { "a", "ab", "abc" };
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(shown.at(i).first, texts.at(i));
        // Coarse timers may fire 5 % early; a busy machine makes them late.
        QVERIFY2(shown.at(i).second >= (i + 1) * 95 - 5 && shown.at(i).second < (i + 1) * 100 + 300,
                 qPrintable(QString::number(shown.at(i).second)));
    }
    // A fourth tick: a late tick on a busy machine is followed by the next one
    // sooner, so the gap to the last character is not checked, only the total.
    QVERIFY2(finishedAt >= 375 && finishedAt >= shown.last().second, qPrintable(QString::number(finishedAt)));
    QVERIFY(item->finished());
    QVERIFY(!item->running());
    // Emptied without a signal: bindings still show the whole text.
    QCOMPARE(item->typeWriterText(), QString());
    QCOMPARE(shown.size(), 3);
}

void tst_TypeWriterItem::delayBelowOneShowsEverythingAtOnce_data()
{
    QTest::addColumn<int>("delay");
    QTest::newRow("zero") << 0;
    QTest::newRow("negative") << -5;
}

void tst_TypeWriterItem::delayBelowOneShowsEverythingAtOnce()
{
    QFETCH(int, delay);
    // Both properties are written before the timer exists.
    QTest::ignoreMessage(QtWarningMsg, noTimer);
    QTest::ignoreMessage(QtWarningMsg, noTimer);
    QQmlComponent component(&m_engine);
    component.setData(QByteArray("import Zarno 2.0\nTypeWriterItem { textSource: \"hello\"; typeDelay: ") + QByteArray::number(delay)
                          + "; property int finishedCount: 0; onTypeWriterFinished: finishedCount++ }",
                      QUrl(QStringLiteral("file:///typewriter.qml")));
    m_root.reset(component.create());
    auto *item = qobject_cast<TypeWriterItem *>(m_root.get());
    QVERIFY(item);
    QCOMPARE(item->typeWriterText(), QStringLiteral("hello"));
    QCOMPARE(item->property("finishedCount").toInt(), 1);
    QVERIFY(!item->running());

    // Back to a real delay, then down to 0 again while idle: shown at once again.
    item->setTypeDelay(50);
    QSignalSpy done(item, &TypeWriterItem::typeWriterFinished);
    item->setTypeDelay(0);
    QCOMPARE(done.count(), 1);
    QCOMPARE(item->typeWriterText(), QStringLiteral("hello"));
}

void tst_TypeWriterItem::pauseContinuesAndNewTextRestarts()
{
    QTest::ignoreMessage(QtWarningMsg, noTimer);
    TypeWriterItem *item = create("textSource: \"abcd\"; typeDelay: 10000");
    QVERIFY(item);
    tick(item);
    tick(item);
    QCOMPARE(item->typeWriterText(), QStringLiteral("ab"));

    item->pause();
    QVERIFY(!item->running());
    QCOMPARE(item->typeWriterText(), QStringLiteral("ab"));
    item->start();
    QVERIFY(item->running());
    tick(item);
    QCOMPARE(item->typeWriterText(), QStringLiteral("abc"));

    // A new text stops typing and empties what was shown; start() types it from its start.
    QSignalSpy textChanged(item, &TypeWriterItem::typeWriterTextChanged);
    item->setTextSource(QStringLiteral("xy"));
    QVERIFY(!item->running());
    QCOMPARE(item->typeWriterText(), QString());
    QCOMPARE(textChanged.count(), 1);
    item->start();
    tick(item);
    QCOMPARE(item->typeWriterText(), QStringLiteral("x"));

    item->stop();
    QVERIFY(!item->running());
    QCOMPARE(item->typeWriterText(), QString());
    item->start();
    tick(item);
    QCOMPARE(item->typeWriterText(), QStringLiteral("x"));
}

void tst_TypeWriterItem::delayChangeWhileTypingKeepsTyping()
{
    QTest::ignoreMessage(QtWarningMsg, noTimer);
    TypeWriterItem *item = create("textSource: \"abcdef\"; typeDelay: 10000");
    QVERIFY(item);
    tick(item);
    WarningCollector warnings;
    item->setTypeDelay(10);
    QVERIFY(item->running());
    QTRY_COMPARE_WITH_TIMEOUT(item->finished(), true, 2000);
    QVERIFY(warnings.warnings.isEmpty());
}

QTEST_MAIN(tst_TypeWriterItem)
#include "tst_typewriteritem.moc"
