#ifndef SPINEATLAS_H
#define SPINEATLAS_H

#include <QImage>
#include <QString>
#include <QVector>

#include <memory>
#include <vector>

namespace spine {

struct AtlasPage
{
    QString name;
    QString imagePath;
    QImage image;       // null when the page's image file is missing or unreadable
    int width = 0;
    int height = 0;
};

struct AtlasRegion
{
    QString name;
    const AtlasPage *page = nullptr;
    int x = 0, y = 0, width = 0, height = 0;
    float u = 0, v = 0, u2 = 0, v2 = 0;
    int offsetX = 0, offsetY = 0;
    int originalWidth = 0, originalHeight = 0;
    int index = -1;
    // The packer stored the picture turned a quarter counter-clockwise.
    bool rotate = false;
};

// Text atlas: pages (one image each) followed by the regions cut out of them.
class Atlas
{
public:
    // Reads the atlas file and the page images beside it; null (with a warning)
    // when the file is missing or not an atlas. Paths may be resource paths.
    static std::unique_ptr<Atlas> load(const QString &path);
    static std::unique_ptr<Atlas> parse(const QByteArray &text, const QString &imageDir);

    const AtlasRegion *findRegion(const QString &name) const;
    const std::vector<std::unique_ptr<AtlasPage>> &pages() const { return m_pages; }
    const std::vector<std::unique_ptr<AtlasRegion>> &regions() const { return m_regions; }

private:
    std::vector<std::unique_ptr<AtlasPage>> m_pages;
    std::vector<std::unique_ptr<AtlasRegion>> m_regions;
};

// Reads a whole file, resource paths included; an empty optional-like result
// (ok false) when it cannot be opened.
QByteArray readFile(const QString &path, bool *ok);

} // namespace spine

#endif
