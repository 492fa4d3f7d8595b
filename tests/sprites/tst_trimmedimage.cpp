// Large pictures drawn in tiles: empty tiles left out, solid ones unblended,
// the rest blended, and the picture read at the density its size needs.
#include "sprites/trimmedimage.h"
#include "support/qmlcase.h"

#include <QtTest/QtTest>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QQuickWindow>
#include <QTemporaryDir>

Q_DECLARE_METATYPE(QVector<int>)

class TestTrimmedImage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void classify_data();
    void classify();
    void drawsTilesByKind_data();
    void drawsTilesByKind();
    void readsCoveringDensity_data();
    void readsCoveringDensity();
    void missingFileIsAnError();

private:
    QQuickWindow *load(const QByteArray &body);

    QTemporaryDir m_dir;
    QmlCase m_case;
};

static bool near(const QColor &a, const QColor &b)
{
    return qAbs(a.red() - b.red()) < 12 && qAbs(a.green() - b.green()) < 12 && qAbs(a.blue() - b.blue()) < 12;
}

void TestTrimmedImage::initTestCase()
{
    QVERIFY(m_dir.isValid());
    // Three 4 x 4 tiles: empty, solid red, half-covered green.
    QImage tiles(12, 4, QImage::Format_ARGB32);
    tiles.fill(Qt::transparent);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            tiles.setPixelColor(4 + x, y, QColor(255, 0, 0));
            tiles.setPixelColor(8 + x, y, QColor(0, 255, 0, 128));
        }
    QVERIFY(tiles.save(m_dir.filePath("tiles.png")));
    // One colour per density, twice the pixels each.
    QVERIFY(QDir(m_dir.path()).mkpath("+hd"));
    QVERIFY(QDir(m_dir.path()).mkpath("+hd2"));
    const char *folders[3] = {"", "+hd/", "+hd2/"};
    const QColor colours[3] = {Qt::red, Qt::green, Qt::blue};
    for (int i = 0; i < 3; ++i) {
        QImage picture(20 << i, 10 << i, QImage::Format_RGB32);
        picture.fill(colours[i]);
        QVERIFY(picture.save(m_dir.filePath(QString::fromLatin1(folders[i]) + "pic.png")));
    }
}

QQuickWindow *TestTrimmedImage::load(const QByteArray &body)
{
    return m_case.loadWindow(m_dir.filePath(QStringLiteral("case.qml")),
                             "import QtQuick 2.15\nimport QtQuick.Window 2.2\nimport Zarno 2.0\n"
                             "Window { width: 200; height: 100; visible: true\nRectangle { anchors.fill: parent; color: 'blue' }\n"
                                 + body + "\n}\n");
}

void TestTrimmedImage::classify_data()
{
    QTest::addColumn<QImage>("image");
    QTest::addColumn<QVector<int>>("kinds");
    const int E = TrimmedImage::Empty, O = TrimmedImage::Opaque, B = TrimmedImage::Blended;

    QImage clear(5, 2, QImage::Format_ARGB32);
    clear.fill(Qt::transparent);
    QImage solid = clear;
    solid.fill(Qt::white);
    QTest::newRow("no alpha channel") << solid.convertToFormat(QImage::Format_RGB32) << QVector<int>{O, O, O};
    QTest::newRow("all clear") << clear << QVector<int>{E, E, E};
    QTest::newRow("solid, narrow last tile") << solid << QVector<int>{O, O, O};
    QImage speck = clear;
    speck.setPixelColor(3, 1, QColor(0, 0, 0, 1));
    QTest::newRow("one faint pixel") << speck << QVector<int>{E, B, E};
    QImage hole = solid;
    hole.setPixelColor(0, 0, QColor(255, 255, 255, 254));
    hole.setPixelColor(4, 1, Qt::transparent);
    QTest::newRow("one pixel not covered") << hole << QVector<int>{B, O, B};
}

void TestTrimmedImage::classify()
{
    QFETCH(QImage, image);
    QFETCH(QVector<int>, kinds);
    const TrimmedImage::Picture picture = TrimmedImage::classify(image, 2);
    QCOMPARE(picture.columns, 3);
    QCOMPARE(picture.rows, 1);
    QVector<int> found;
    for (quint8 kind : picture.tiles)
        found.append(kind);
    QCOMPARE(found, kinds);
}

void TestTrimmedImage::drawsTilesByKind_data()
{
    QTest::addColumn<qreal>("opacity");
    QTest::newRow("opaque item") << 1.0;
    // A faded item blends its solid tiles too.
    QTest::newRow("faded item") << 0.5;
}

void TestTrimmedImage::drawsTilesByKind()
{
    QFETCH(qreal, opacity);
    QQuickWindow *window = load("TrimmedImage { objectName: 'trimmed'; width: 120; height: 40; smooth: false; tileSize: 4; "
                                "opacity: " + QByteArray::number(opacity) + "; source: 'tiles.png' }");
    QVERIFY(window);
    auto *item = window->findChild<TrimmedImage *>("trimmed");
    QVERIFY(item);
    QTRY_COMPARE(item->status(), TrimmedImage::Ready);
    QCOMPARE(item->pictureSize(), QSize(12, 4));
    QImage shot;
    QTRY_VERIFY2((shot = window->grabWindow(), near(shot.pixelColor(55, 20), QColor::fromRgbF(opacity, 0, 1 - opacity))),
                 qPrintable(shot.pixelColor(55, 20).name()));
    QVERIFY(near(shot.pixelColor(5, 5), Qt::blue));
    QVERIFY(near(shot.pixelColor(39, 39), Qt::blue));
    QVERIFY(near(shot.pixelColor(40, 0), QColor::fromRgbF(opacity, 0, 1 - opacity)));
    const qreal green = 0.5 * opacity;
    QVERIFY(near(shot.pixelColor(100, 20), QColor::fromRgbF(0, green, 1 - green)));
    QVERIFY(near(shot.pixelColor(150, 20), Qt::blue));
}

void TestTrimmedImage::readsCoveringDensity_data()
{
    // Read size, band, then the density read below the screen's (capped by it),
    // and the size of the picture read.
    QTest::addColumn<QSize>("readSize");
    QTest::addColumn<QRect>("band");
    QTest::addColumn<int>("density");
    QTest::addColumn<QSize>("pictureSize");
    QTest::newRow("no size: the screen's") << QSize() << QRect() << 2 << QSize(-1, -1);
    QTest::newRow("base covers") << QSize(0, 10) << QRect() << 0 << QSize(20, 10);
    QTest::newRow("width decides") << QSize(21, 0) << QRect() << 1 << QSize(21, 11);
    QTest::newRow("band of a smaller read") << QSize(10, 5) << QRect(2, 1, 6, 3) << 0 << QSize(6, 3);
}

void TestTrimmedImage::readsCoveringDensity()
{
    QFETCH(QSize, readSize);
    QFETCH(QRect, band);
    QFETCH(int, density);
    QFETCH(QSize, pictureSize);
    QByteArray body = "TrimmedImage { objectName: 'trimmed'; width: 20; height: 10; source: 'pic.png'";
    if (readSize.isValid())
        body += "; sourceSize: Qt.size(" + QByteArray::number(readSize.width()) + ", " + QByteArray::number(readSize.height()) + ")";
    if (band.isValid())
        body += QStringLiteral("; sourceClipRect: Qt.rect(%1, %2, %3, %4)").arg(band.x()).arg(band.y()).arg(band.width()).arg(band.height()).toLatin1();
    QQuickWindow *window = load(body + " }");
    QVERIFY(window);
    auto *item = window->findChild<TrimmedImage *>("trimmed");
    QVERIFY(item);
    QTRY_COMPARE(item->status(), TrimmedImage::Ready);
    const QString selector = m_case.engine()->rootContext()->contextProperty("fileSelectorForImages").toString();
    const int ceiling = selector == "hd2" ? 2 : selector == "hd" ? 1 : 0;
    density = qMin(density, ceiling);
    if (!pictureSize.isValid())
        pictureSize = QSize(20 << ceiling, 10 << ceiling);
    QCOMPARE(item->pictureSize(), pictureSize);
    const QColor colours[3] = {Qt::red, Qt::green, Qt::blue};
    QTRY_VERIFY2(near(window->grabWindow().pixelColor(10, 5), colours[density]),
                 qPrintable(window->grabWindow().pixelColor(10, 5).name()));
}

void TestTrimmedImage::missingFileIsAnError()
{
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("TrimmedImage: Cannot read .*nothing.png"));
    QQuickWindow *window = load("TrimmedImage { objectName: 'trimmed'; width: 20; height: 10; source: 'nothing.png' }");
    QVERIFY(window);
    auto *item = window->findChild<TrimmedImage *>("trimmed");
    QVERIFY(item);
    QTRY_COMPARE(item->status(), TrimmedImage::Error);
    QVERIFY(near(window->grabWindow().pixelColor(10, 5), Qt::blue));
}

QTEST_MAIN(TestTrimmedImage)
#include "tst_trimmedimage.moc"
