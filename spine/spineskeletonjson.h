#ifndef SPINESKELETONJSON_H
#define SPINESKELETONJSON_H

#include <QByteArray>
#include <QString>

#include <memory>

namespace spine {

class Atlas;
class SkeletonData;

// Reads skeleton descriptions (JSON) whose attachments are cut from one atlas.
// Any error gives a warning and no data: a half-read skeleton is never used.
class SkeletonJson
{
public:
    explicit SkeletonJson(const Atlas *atlas) : m_atlas(atlas) {}
    // Multiplies every length and position read.
    float scale = 1;

    std::unique_ptr<SkeletonData> readSkeletonDataFile(const QString &path) const;
    std::unique_ptr<SkeletonData> readSkeletonData(const QByteArray &json) const;

private:
    const Atlas *m_atlas;
};

} // namespace spine

#endif
