// quillox-assetgen: draws every image of the game in all shipped densities,
// synthesises its sounds and music and installs its font into an assets folder.
//
//   quillox-assetgen [--font FILE] [--lame PROGRAM] [--only TEXT | --no-images] ASSETS_DIR
//
// --only limits the run to images whose path contains TEXT (for quick looks
// while working on the art); such a run writes no sounds and no stamp.
// --no-images writes only the font, sounds and music (and no stamp).
// The stamp file is written last and only when everything succeeded: the
// build regenerates until a run has produced the complete set.

#include "art.h"
#include "audio.h"
#include "pngout.h"

#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QMutex>
#include <QSaveFile>
#include <QtConcurrent>
#include <algorithm>
#include <cstdio>

namespace {

// Densities: plain, +hd (2x) and +hd2 (4x). A density is shipped only when
// the whole file fits into one GPU texture on the devices we target; the
// loader falls back to the next smaller density of the same name otherwise.
constexpr int kMaxTextureSide = 8192;

struct Job {
    const art::ImageSpec *spec;
    int density;
    QString file;
    qint64 pixels() const
    {
        return qint64(spec->frameWidth) * spec->frames * spec->frameHeight * density * density;
    }
};

QString densityPath(const QString &root, const QString &relative, int density)
{
    const QFileInfo info(relative);
    QString dir = info.path();
    if (density == 2)
        dir += QStringLiteral("/+hd");
    else if (density == 4)
        dir += QStringLiteral("/+hd2");
    return QDir(root).filePath(dir + QLatin1Char('/') + info.fileName());
}

QImage render(const art::ImageSpec &spec, int density)
{
    QImage img(spec.frameWidth * spec.frames * density, spec.frameHeight * density,
               QImage::Format_ARGB32_Premultiplied);
    if (img.isNull())
        return img;
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform | QPainter::TextAntialiasing);
    p.scale(density, density);
    for (int f = 0; f < spec.frames; ++f) {
        p.save();
        p.translate(f * spec.frameWidth, 0);
        p.setClipRect(QRectF(0, 0, spec.frameWidth, spec.frameHeight));
        spec.draw(p, f);
        p.restore();
    }
    p.end();
    return img;
}

bool writeFileAtomically(const QString &fileName, const QByteArray &data, QStringList &errors)
{
    QSaveFile out(fileName);
    if (!out.open(QIODevice::WriteOnly) || out.write(data) != data.size() || !out.commit()) {
        errors << QStringLiteral("cannot write %1: %2").arg(fileName, out.errorString());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    // Pure off-screen drawing: no display is needed (CI builds have none).
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption({QStringLiteral("font"), QStringLiteral("Display font to install."), QStringLiteral("file")});
    parser.addOption({QStringLiteral("lame"), QStringLiteral("MP3 encoder program."), QStringLiteral("program"),
                      QStringLiteral("lame")});
    parser.addOption({QStringLiteral("only"), QStringLiteral("Only images whose path contains text."),
                      QStringLiteral("text")});
    parser.addOption({QStringLiteral("no-images"), QStringLiteral("Only the font, sounds and music.")});
    parser.addPositionalArgument(QStringLiteral("assets"), QStringLiteral("Output folder."));
    parser.process(app);
    if (parser.positionalArguments().size() != 1) {
        std::fprintf(stderr, "usage: quillox-assetgen [--font FILE] [--lame PROGRAM] [--only TEXT] ASSETS_DIR\n");
        return 2;
    }
    const QString root = QDir(parser.positionalArguments().first()).absolutePath();
    // A run that is going to change files invalidates the stamp first, so that
    // a failed or interrupted run is never taken for a complete one.
    QFile::remove(QDir(root).filePath(QStringLiteral(".assetgen-stamp")));
    const QString only = parser.value(QStringLiteral("only"));
    const bool noImages = parser.isSet(QStringLiteral("no-images"));
    const bool complete = only.isEmpty() && !noImages;
    const QString fontFile = parser.value(QStringLiteral("font"));
    QStringList errors;
    QElapsedTimer clock;
    clock.start();

    QByteArray fontData;
    if (!fontFile.isEmpty()) {
        QFile f(fontFile);
        if (f.open(QIODevice::ReadOnly))
            fontData = f.readAll();
        const int id = fontData.isEmpty() ? -1 : QFontDatabase::addApplicationFontFromData(fontData);
        const QStringList families = id >= 0 ? QFontDatabase::applicationFontFamilies(id) : QStringList();
        if (families.isEmpty())
            errors << QStringLiteral("cannot load font %1").arg(fontFile);
        else
            art::setFontFamily(families.first());
    }

    QVector<art::ImageSpec> specs;
    art::addLandImages(specs);
    art::addCreatureImages(specs);
    art::addItemImages(specs);
    art::addComicImages(specs);

    QVector<Job> jobs;
    for (const art::ImageSpec &spec : specs) {
        if (noImages || (!only.isEmpty() && !spec.path.contains(only)))
            continue;
        for (int density : {1, 2, 4}) {
            const int w = spec.frameWidth * spec.frames * density;
            const int h = spec.frameHeight * density;
            const QString file = densityPath(root, spec.path, density);
            if (w > kMaxTextureSide || h > kMaxTextureSide) {
                QFile::remove(file); // left over from an older generator
                continue;
            }
            jobs.append({&spec, density, file});
        }
    }
    for (const Job &job : jobs) {
        if (!QDir().mkpath(QFileInfo(job.file).path()))
            errors << QStringLiteral("cannot create the folder of %1").arg(job.file);
    }
    if (!errors.isEmpty())
        jobs.clear();
    // Largest first keeps both cores busy to the end.
    std::stable_sort(jobs.begin(), jobs.end(), [](const Job &a, const Job &b) { return a.pixels() > b.pixels(); });

    QMutex errorLock;
    QtConcurrent::blockingMap(jobs, [&](const Job &job) {
        const QImage img = render(*job.spec, job.density);
        QString error;
        if (img.isNull())
            error = QStringLiteral("cannot allocate %1").arg(job.file);
        else
            writePng(img, job.file, &error);
        if (!error.isEmpty()) {
            QMutexLocker lock(&errorLock);
            errors << error;
        }
    });
    std::printf("quillox-assetgen: %d image files in %.1f s\n", int(jobs.size()), clock.elapsed() / 1000.0);

    if (only.isEmpty()) {
        if (!fontData.isEmpty()) {
            QDir().mkpath(QDir(root).filePath(QStringLiteral("font")));
            writeFileAtomically(QDir(root).filePath(QStringLiteral("font/ariblk.ttf")), fontData, errors);
        } else if (fontFile.isEmpty()) {
            errors << QStringLiteral("no font given (--font)");
        }
        writeSounds(root, errors);
        writeMusic(root, parser.value(QStringLiteral("lame")), errors);
    }

    for (const QString &e : qAsConst(errors))
        std::fprintf(stderr, "quillox-assetgen: error: %s\n", qPrintable(e));
    if (!errors.isEmpty())
        return 1;
    if (complete) {
        QStringList stampErrors;
        writeFileAtomically(QDir(root).filePath(QStringLiteral(".assetgen-stamp")), QByteArray("ok\n"), stampErrors);
        if (!stampErrors.isEmpty())
            return 1;
    }
    std::printf("quillox-assetgen: done in %.1f s\n", clock.elapsed() / 1000.0);
    return 0;
}
