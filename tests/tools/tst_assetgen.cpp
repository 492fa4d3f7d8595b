// Checks the generated game assets as the game will load them: exact strip
// geometry in every shipped density (and no density beyond one texture),
// land layers that loop seamlessly, densities that agree with each other,
// and sound, music and font files that the players can open.

#include <QtTest/QtTest>

#include <QFontDatabase>
#include <QImage>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace {

const QString kAssets = QStringLiteral(ZARNO_SOURCE_DIR "/assets/");
constexpr int kMaxTextureSide = 8192;

QString densityFile(const QString &path, int density)
{
    if (density == 1)
        return kAssets + path;
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    return kAssets + path.left(slash) + (density == 2 ? "/+hd" : "/+hd2") + path.mid(slash);
}

QImage load(const QString &file)
{
    QImage img(file);
    return img.isNull() ? img : img.convertToFormat(QImage::Format_ARGB32);
}

double columnDiff(const QImage &img, int a, int b)
{
    double sum = 0;
    for (int y = 0; y < img.height(); ++y) {
        const QRgb *row = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        const QRgb p = row[a], q = row[b];
        // colour only counts where something is visible
        const double wa = qAlpha(p) / 255.0, wb = qAlpha(q) / 255.0;
        sum += std::abs(qRed(p) * wa - qRed(q) * wb) + std::abs(qGreen(p) * wa - qGreen(q) * wb)
                + std::abs(qBlue(p) * wa - qBlue(q) * wb) + std::abs(qAlpha(p) - qAlpha(q));
    }
    return sum / img.height();
}

// How much the right edge fails to continue into the left edge, relative to
// the ordinary change between neighbouring columns inside the image.
struct Seam {
    double seam;
    double typical;
};

Seam measureSeam(const QImage &img)
{
    std::vector<double> d;
    for (int x = 0; x + 1 < img.width(); ++x)
        d.push_back(columnDiff(img, x, x + 1));
    std::sort(d.begin(), d.end());
    return {columnDiff(img, img.width() - 1, 0), d[d.size() * 98 / 100]};
}

// Mean difference of alpha and (visible) brightness; b is read `shift` pixels to the right.
double meanDiff(const QImage &a, const QImage &b, int shift)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(qMin(x + shift, b.width() - 1), y);
            sum += std::abs(qAlpha(p) - qAlpha(q)) + std::abs(qGray(p) * qAlpha(p) - qGray(q) * qAlpha(q)) / 255.0;
        }
    return sum / (double(a.width()) * a.height());
}

bool wavIsPcm16(const QString &file, int *sampleCount, double *peak)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray data = f.readAll();
    if (data.size() < 44 || !data.startsWith("RIFF") || data.mid(8, 8) != "WAVEfmt ")
        return false;
    auto u16 = [&](int at) { return quint16(quint8(data[at]) | quint8(data[at + 1]) << 8); };
    auto u32 = [&](int at) { return quint32(u16(at)) | quint32(u16(at + 2)) << 16; };
    if (u16(20) != 1 || u32(24) != 44100 || u16(34) != 16 || data.mid(36, 4) != "data")
        return false;
    const int bytes = int(u32(40));
    if (bytes + 44 != data.size())
        return false;
    *sampleCount = bytes / 2 / u16(22);
    *peak = 0;
    for (int i = 44; i + 1 < data.size(); i += 2)
        *peak = qMax(*peak, std::abs(double(qint16(u16(i)))) / 32768.0);
    return true;
}

} // namespace

class TestAssetgen : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!QFile::exists(kAssets + ".assetgen-stamp"))
            QFAIL("assets/ is incomplete: build the quillox-assets target first");
    }

    void stripGeometry_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("frameWidth");
        QTest::addColumn<int>("frameHeight");
        QTest::addColumn<int>("frames");
        for (int i = 0; i <= 6; ++i)
            QTest::addRow("hero-%d", i) << QStringLiteral("img/heroes/hero-%1.png").arg(i) << 256 << 265 << 20;
        QTest::newRow("cloud") << "img/misc/cloud.png" << 314 << 314 << 7;
        QTest::newRow("portal") << "img/misc/portal.png" << 280 << 280 << 4;
        QTest::newRow("roulette") << "img/misc/roulette.png" << 820 << 320 << 6;
        QTest::newRow("assistant") << "img/misc/assistant.png" << 256 << 256 << 8;
        for (int land = 0; land < 6; ++land)
            for (int layer = 0; layer < 5; ++layer)
                QTest::addRow("land %d-%d", land, layer)
                        << QStringLiteral("img/bkg/bkg-%1-%2.png").arg(land).arg(layer) << 1500 << 1280 << 1;
        QTest::newRow("title") << "img/misc/comix.png" << 1920 << 1280 << 1;
        QTest::newRow("comic page") << "img/misc/background.png" << 1920 << 1280 << 1;
    }

    // Frames are addressed by logical offsets divided by the density factor,
    // so each shipped density must be exactly 1, 2 or 4 times the strip; a
    // density that would not fit one texture must be absent (the loader then
    // falls back to a smaller one).
    void stripGeometry()
    {
        QFETCH(QString, path);
        QFETCH(int, frameWidth);
        QFETCH(int, frameHeight);
        QFETCH(int, frames);
        for (int density : {1, 2, 4}) {
            const QString file = densityFile(path, density);
            const QSize expected(frameWidth * frames * density, frameHeight * density);
            const bool fits = expected.width() <= kMaxTextureSide && expected.height() <= kMaxTextureSide;
            QCOMPARE(QFile::exists(file), fits);
            if (fits)
                QCOMPARE(QImageReader(file).size(), expected);
        }
    }

    void otherImages()
    {
        const QStringList names = {"img/bkg/bkg.png", "img/misc/heal.png", "img/misc/damage.png",
                                   "img/misc/neutral.png", "img/misc/tantacle.png", "img/misc/heart_on.png",
                                   "img/misc/heart_off.png", "img/misc/coin.png", "img/misc/sign-0.png",
                                   "img/misc/sign-1.png", "img/misc/sign-2.png", "img/buttons/button-text.png",
                                   "img/buttons/button-small.png"};
        for (const QString &name : names) {
            const QSize base = QImageReader(densityFile(name, 1)).size();
            QVERIFY2(base.isValid(), qPrintable(name));
            QCOMPARE(QImageReader(densityFile(name, 2)).size(), base * 2);
            QCOMPARE(QImageReader(densityFile(name, 4)).size(), base * 4);
        }
        // the tentacle bobs with its top between y 390 and 890: it must always reach below the scene
        QVERIFY(QImageReader(densityFile("img/misc/tantacle.png", 1)).size().height() >= 1280 - 390);
        // "Repeat" in the 64 px label has to fit on the text button
        QVERIFY(QImageReader(densityFile("img/buttons/button-text.png", 1)).size().width() >= 400);
    }

    void landsLoopSeamlessly_data()
    {
        QTest::addColumn<int>("land");
        for (int land = 0; land < 6; ++land)
            QTest::addRow("land %d", land) << land;
    }

    void landsLoopSeamlessly()
    {
        QFETCH(int, land);
        for (int layer = 0; layer < 5; ++layer) {
            for (int density : {1, 2}) {
                const QString file = densityFile(QStringLiteral("img/bkg/bkg-%1-%2.png").arg(land).arg(layer), density);
                const QImage img = load(file);
                QVERIFY2(!img.isNull(), qPrintable(file));
                const Seam s = measureSeam(img);
                QVERIFY2(s.seam <= qMax(3.0, 1.5 * s.typical),
                         qPrintable(QStringLiteral("%1: seam %2, typical column change %3")
                                            .arg(file).arg(s.seam).arg(s.typical)));
                // the sky is opaque; the layers in front let it show through above their land
                int clear = 0;
                for (int x = 0; x < img.width(); ++x)
                    clear += qAlpha(img.pixel(x, 2)) == 0;
                if (layer == 0)
                    QCOMPARE(clear, 0);
                else
                    QVERIFY2(clear > img.width() / 2, qPrintable(file));
            }
        }
    }

    // The game draws each land layer only within its band (qml/items/landbands.js):
    // nothing may show above a band's top, and the ground must be opaque wherever
    // the layers behind it are cut off.
    void landBandsHoldWhatShows_data()
    {
        QTest::addColumn<int>("density");
        QTest::newRow("plain") << 1;
        QTest::newRow("hd") << 2;
    }

    void landBandsHoldWhatShows()
    {
        QFETCH(int, density);
        QFile js(QStringLiteral(ZARNO_SOURCE_DIR "/qml/items/landbands.js"));
        QVERIFY(js.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(js.readAll());
        const QRegularExpressionMatch opaque = QRegularExpression(QStringLiteral("groundOpaqueFrom = (\\d+)")).match(text);
        const QRegularExpressionMatch table = QRegularExpression(QStringLiteral("var tops = (\\[[^;]*?\\])\\s*\\n\\s*\\n"))
                                                  .match(text);
        const QRegularExpressionMatch opaqueTable = QRegularExpression(QStringLiteral("var opaqueFrom = (\\[[^;]*?\\])\\s*\\n\\s*\\n"))
                                                        .match(text);
        QVERIFY(opaque.hasMatch() && table.hasMatch() && opaqueTable.hasMatch());
        const QJsonArray tops = QJsonDocument::fromJson(table.captured(1).toUtf8()).array();
        QCOMPARE(tops.size(), 6);
        const QJsonArray opaqueFrom = QJsonDocument::fromJson(opaqueTable.captured(1).toUtf8()).array();
        QCOMPARE(opaqueFrom.size(), 6);
        auto rowsWhere = [](const QImage &img, int from, int to, bool (*test)(int alpha)) {
            for (int y = qMax(0, from); y < qMin(to, img.height()); ++y) {
                const QRgb *row = reinterpret_cast<const QRgb *>(img.constScanLine(y));
                for (int x = 0; x < img.width(); ++x)
                    if (!test(qAlpha(row[x])))
                        return y;
            }
            return -1;
        };
        for (int land = 0; land < 6; ++land) {
            const QImage ground = load(densityFile(QStringLiteral("img/bkg/bkg-%1-4.png").arg(land), density));
            QVERIFY(!ground.isNull());
            const int bad = rowsWhere(ground, opaque.captured(1).toInt() * density, ground.height(),
                                      [](int a) { return a == 255; });
            QVERIFY2(bad < 0, qPrintable(QStringLiteral("land %1: ground not opaque in row %2").arg(land).arg(bad)));
            // Below that row the game draws the ground from its own picture, which must
            // have no alpha channel (or it would be blended) and continue the ground exactly.
            const QString solidFile = densityFile(QStringLiteral("img/bkg/ground-%1.png").arg(land), density);
            const QImage solid(solidFile);
            QVERIFY2(!solid.isNull() && !solid.hasAlphaChannel(), qPrintable(solidFile));
            const QImage rest = ground.copy(0, opaque.captured(1).toInt() * density, ground.width(),
                                            ground.height() - opaque.captured(1).toInt() * density);
            QCOMPARE(solid.size(), rest.size());
            int worst = 0;
            for (int y = 0; y < rest.height(); ++y) {
                for (int x = 0; x < rest.width(); ++x) {
                    const QRgb a = solid.pixel(x, y), b = rest.pixel(x, y);
                    worst = qMax(worst, qMax(qAbs(qRed(a) - qRed(b)), qMax(qAbs(qGreen(a) - qGreen(b)),
                                                                         qAbs(qBlue(a) - qBlue(b)))));
                }
            }
            QVERIFY2(worst <= 2, qPrintable(QStringLiteral("%1 differs from the ground by %2").arg(solidFile).arg(worst)));
            for (int layer = 1; layer < 5; ++layer) {
                const QImage img = load(densityFile(QStringLiteral("img/bkg/bkg-%1-%2.png").arg(land).arg(layer), density));
                const int top = tops.at(land).toArray().at(layer).toInt() * density;
                const int shown = rowsWhere(img, 0, top, [](int a) { return a == 0; });
                QVERIFY2(shown < 0, qPrintable(QStringLiteral("land %1 layer %2: row %3 shows above the band")
                                                   .arg(land).arg(layer).arg(shown)));
                // The layers behind end where this one turns opaque for good.
                const int clear = rowsWhere(img, opaqueFrom.at(land).toArray().at(layer).toInt() * density,
                                            opaque.captured(1).toInt() * density, [](int a) { return a == 255; });
                QVERIFY2(clear < 0, qPrintable(QStringLiteral("land %1 layer %2: row %3 is not opaque")
                                                   .arg(land).arg(layer).arg(clear)));
            }
        }
    }

    // A broken tile (the right edge not continuing the left) must be caught.
    void seamCheckCatchesABrokenTile()
    {
        const QImage img = load(densityFile("img/bkg/bkg-0-2.png", 1));
        QVERIFY(!img.isNull());
        const QImage cut = img.copy(0, 0, img.width() - 230, img.height());
        const Seam s = measureSeam(cut);
        QVERIFY(s.seam > qMax(3.0, 1.5 * s.typical));
    }

    // The +hd art is drawn separately at twice the size; shrunk back it must
    // match the plain file, or frames would jump when the density changes.
    void densitiesAgree_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("cloud") << "img/misc/cloud.png";
        QTest::newRow("portal") << "img/misc/portal.png";
        QTest::newRow("assistant") << "img/misc/assistant.png";
        QTest::newRow("heal") << "img/misc/heal.png";
        QTest::newRow("cherries") << "img/misc/sign-1.png";
        QTest::newRow("coin") << "img/misc/coin.png";
    }

    void densitiesAgree()
    {
        QFETCH(QString, path);
        const QImage sd = load(densityFile(path, 1));
        const QImage hd = load(densityFile(path, 2)).scaled(sd.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        QVERIFY(!sd.isNull() && !hd.isNull());
        const double threshold = 10;
        const double same = meanDiff(sd, hd, 0);
        QVERIFY2(same < threshold, qPrintable(QString::number(same)));
        // control: art misplaced by a few units at one density is caught
        const double shifted = meanDiff(sd, hd, 5);
        QVERIFY2(shifted > threshold, qPrintable(QString::number(shifted)));
    }

    void framesHaveContent()
    {
        // every hero frame shows the creature; the cloud's rest frame is empty
        // because the cloud stays on it over the creature
        for (int type = 0; type <= 6; ++type) {
            const QImage strip = load(densityFile(QStringLiteral("img/heroes/hero-%1.png").arg(type), 1));
            QVERIFY(!strip.isNull());
            for (int f = 0; f < 20; ++f) {
                const QImage frame = strip.copy(f * 256, 0, 256, 265);
                int opaque = 0;
                for (int y = 0; y < frame.height(); y += 2)
                    for (int x = 0; x < frame.width(); x += 2)
                        opaque += qAlpha(frame.pixel(x, y)) > 200;
                QVERIFY2(opaque > 1500, qPrintable(QStringLiteral("hero %1 frame %2").arg(type).arg(f + 1)));
            }
        }
        const QImage cloud = load(densityFile("img/misc/cloud.png", 1));
        const QImage rest = cloud.copy(6 * 314, 0, 314, 314);
        for (int y = 0; y < rest.height(); ++y)
            for (int x = 0; x < rest.width(); ++x)
                QCOMPARE(qAlpha(rest.pixel(x, y)), 0);
        QVERIFY(qAlpha(cloud.pixel(157, 157)) > 200); // the first puff frame is not empty
    }

    void soundsMusicAndFont()
    {
        const struct { const char *name; double minSeconds, maxSeconds; } sounds[] = {
            {"applause", 1.5, 6}, {"aww", 0.5, 4}, {"click", 0.01, 0.3}, {"coin", 0.2, 2}, {"craft", 0.3, 3}};
        for (const auto &s : sounds) {
            int samples = 0;
            double peak = 0;
            const QString file = kAssets + "sound/" + s.name + ".wav";
            QVERIFY2(wavIsPcm16(file, &samples, &peak), qPrintable(file));
            QVERIFY2(samples >= s.minSeconds * 44100 && samples <= s.maxSeconds * 44100, s.name);
            QVERIFY2(peak > 0.5 && peak < 1.0, s.name); // audible, not clipped
        }
        QFile mp3(kAssets + "music/background.mp3");
        QVERIFY(mp3.open(QIODevice::ReadOnly));
        QVERIFY(mp3.size() > 100000);
        const QByteArray head = mp3.read(4);
        QVERIFY(head.startsWith("ID3") || (quint8(head[0]) == 0xff && (quint8(head[1]) & 0xe0) == 0xe0));
        const int id = QFontDatabase::addApplicationFont(kAssets + "font/ariblk.ttf");
        QVERIFY(id >= 0);
        QVERIFY(!QFontDatabase::applicationFontFamilies(id).isEmpty());
    }
};

QTEST_MAIN(TestAssetgen)
#include "tst_assetgen.moc"
