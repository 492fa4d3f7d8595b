#include "pngout.h"

#include <QSaveFile>
#include <png.h>
#include <vector>
#include <zlib.h>

namespace {

void writeCallback(png_structp png, png_bytep data, png_size_t length)
{
    auto *file = static_cast<QSaveFile *>(png_get_io_ptr(png));
    if (file->write(reinterpret_cast<const char *>(data), qint64(length)) != qint64(length))
        png_error(png, "short write");
}

void flushCallback(png_structp) {}

bool isOpaque(const QImage &img)
{
    if (!img.hasAlphaChannel())
        return true;
    for (int y = 0; y < img.height(); ++y) {
        const QRgb *row = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if (qAlpha(row[x]) != 255)
                return false;
    }
    return true;
}

// Kept free of objects with destructors: libpng reports errors by longjmp.
bool encode(const QImage &img, bool opaque, QSaveFile *file, unsigned char *rowBuffer)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, file, writeCallback, flushCallback);
    png_set_IHDR(png, info, png_uint_32(img.width()), png_uint_32(img.height()), 8,
                 opaque ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 3);
    png_set_filter(png, 0, PNG_FILTER_UP);
    png_write_info(png, info);
    const int w = img.width();
    for (int y = 0; y < img.height(); ++y) {
        const QRgb *src = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        unsigned char *out = rowBuffer;
        for (int x = 0; x < w; ++x) {
            const QRgb c = qUnpremultiply(src[x]);
            *out++ = static_cast<unsigned char>(qRed(c));
            *out++ = static_cast<unsigned char>(qGreen(c));
            *out++ = static_cast<unsigned char>(qBlue(c));
            if (!opaque)
                *out++ = static_cast<unsigned char>(qAlpha(c));
        }
        png_write_row(png, rowBuffer);
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

} // namespace

bool writePng(const QImage &image, const QString &fileName, QString *error)
{
    QImage img = image.format() == QImage::Format_ARGB32_Premultiplied
            ? image
            : image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (img.isNull()) {
        if (error)
            *error = QStringLiteral("empty image for %1").arg(fileName);
        return false;
    }
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = QStringLiteral("cannot open %1: %2").arg(fileName, file.errorString());
        return false;
    }
    const bool opaque = isOpaque(img);
    std::vector<unsigned char> row(size_t(img.width()) * 4);
    if (!encode(img, opaque, &file, row.data())) {
        file.cancelWriting();
        if (error)
            *error = QStringLiteral("cannot encode %1").arg(fileName);
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = QStringLiteral("cannot write %1: %2").arg(fileName, file.errorString());
        return false;
    }
    return true;
}
