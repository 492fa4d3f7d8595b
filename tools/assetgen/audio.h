#pragma once

#include <QString>
#include <QStringList>

// Synthesises the five sound effects (16-bit PCM WAV, 44.1 kHz, mono) and the
// looping background music (rendered to WAV, encoded to MP3 with `lame`).
// Returns false and appends to `errors` when something could not be written.
bool writeSounds(const QString &assetsDir, QStringList &errors);
bool writeMusic(const QString &assetsDir, const QString &lameProgram, QStringList &errors);
