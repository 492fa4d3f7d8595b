#pragma once

#include <QImage>
#include <QString>

// Writes `image` (any format; premultiplied alpha is undone) as a PNG into
// `fileName` through a temporary file that replaces the target only when
// complete, so an interrupted run never leaves a truncated image behind.
// Opaque images are stored without an alpha channel. Fast zlib settings:
// the generator runs on every fresh build.
bool writePng(const QImage &image, const QString &fileName, QString *error = nullptr);
