#include "spine/spinemeshitem.h"

#include <QPainter>
#include <QQuickWindow>
#include <QTemporaryDir>
#include <QtTest>

namespace {

bool near(QRgb pixel, QColor expected)
{
    const QColor c(pixel);
    return qAbs(c.red() - expected.red()) < 24 && qAbs(c.green() - expected.green()) < 24
           && qAbs(c.blue() - expected.blue()) < 24;
}

#define VERIFY_PIXEL(image, x, y, color)                                                                   \
    QVERIFY2(near((image).pixel(x, y), color),                                                             \
             qPrintable(QStringLiteral("(%1,%2) is %3").arg(x).arg(y).arg(QColor((image).pixel(x, y)).name())))

} // namespace

class tst_SpineMeshItem : public QObject
{
    Q_OBJECT
private slots:
    void drawsTexturedTrianglesAndBlends();
};

void tst_SpineMeshItem::drawsTexturedTrianglesAndBlends()
{
    QTemporaryDir dir;
    QImage split(16, 16, QImage::Format_ARGB32);
    split.fill(Qt::blue);
    QPainter(&split).fillRect(0, 0, 8, 16, Qt::red);
    split.save(dir.filePath("split.png"));
    QImage green(16, 16, QImage::Format_ARGB32);
    green.fill(Qt::green);
    green.save(dir.filePath("green.png"));

    QQuickWindow window;
    window.setColor(Qt::black);
    window.resize(120, 100);
    auto *mesh = new SpineMeshItem(window.contentItem());
    mesh->setPosition(QPointF(20, 20));
    mesh->setSize(QSizeF(80, 40));
    mesh->setSource(QUrl::fromLocalFile(dir.filePath("split.png")));
    // A triangle fan over 80 x 40, plus a triangle naming a vertex that does not exist.
    mesh->setVertices({0, 0, 80, 0, 80, 40, 0, 40});
    mesh->setUvs({0, 0, 16, 0, 16, 16, 0, 16});
    mesh->setPacked(true);
    mesh->setTriangles({0, 1, 2, 2, 3, 0, 0, 2, 9});
    QCOMPARE(mesh->meshRect(), QRectF(0, 0, 80, 40));
    QTest::ignoreMessage(QtWarningMsg, "SpineMeshItem WARNING: triangle index out of range, triangle skipped: 0 2 9");
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QImage image = window.grabWindow();
    VERIFY_PIXEL(image, 30, 25, QColor(Qt::red));
    VERIFY_PIXEL(image, 90, 55, QColor(Qt::blue));
    VERIFY_PIXEL(image, 10, 10, QColor(Qt::black));

    mesh->setSource2(QUrl::fromLocalFile(dir.filePath("green.png")).toString());
    mesh->setBlendingFactor(0.5f);
    mesh->setTriangles({0, 1, 2, 2, 3, 0});
    image = window.grabWindow();
    VERIFY_PIXEL(image, 30, 25, QColor(128, 128, 0));
    // Showing the left half of the mesh stretches it over the item.
    mesh->setBlendingFactor(0);
    mesh->setMeshRect(QRectF(0, 0, 40, 40));
    image = window.grabWindow();
    VERIFY_PIXEL(image, 90, 55, QColor(Qt::red));

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("SpineMeshItem WARNING: cannot load image: .*none.png"));
    mesh->setSource(QUrl::fromLocalFile(dir.filePath("none.png")));
    image = window.grabWindow();
    VERIFY_PIXEL(image, 30, 25, QColor(Qt::black));
}

QTEST_MAIN(tst_SpineMeshItem)
#include "tst_spinemeshitem.moc"
