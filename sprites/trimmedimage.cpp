#include "trimmedimage.h"

#include <QHash>
#include <QImageReader>
#include <QPointer>
#include <QQmlAbstractUrlInterceptor>
#include <QQmlEngine>
#include <QQmlFile>
#include <QQuickWindow>
#include <QRunnable>
#include <QSGGeometryNode>
#include <QSGTextureMaterial>
#include <QThreadPool>
#include <QUrlQuery>
#include <QtMath>

/*!
    \qmltype TrimmedImage
    \inqmlmodule Zarno
    \instantiates TrimmedImage
    \brief A large picture drawn without its empty parts, and its solid parts unblended.

    The picture is read in the background (at \l sourceSize, cut to
    \l sourceClipRect, both as for Image) and stretched over the item. It is
    drawn in square tiles of \l tileSize pixels: fully transparent tiles are
    not drawn at all, fully opaque ones are drawn without blending, which also
    spares everything they hide, and only the remaining tiles are blended. This
    pays off for scenery layers with wide empty skies or solid ground, drawn
    over each other at every frame. Items reading the same file at the same
    size and band share one read. With a \l sourceSize, the file is read from
    the lowest density whose pixels still cover that size (see
    MultiResolutionImage::drawnPixelSize).

    \qml
    TrimmedImage {
        width: 1500; height: 444
        source: "../assets/img/hills.png"
        sourceSize.height: 640
        sourceClipRect: Qt.rect(0, 206, 750, 222)
        smooth: false
    }
    \endqml
*/

/*! \qmlproperty url TrimmedImage::source The picture file; resolved like an Image's source. */
/*!
    \qmlproperty size TrimmedImage::sourceSize
    The size the file is read at, as Image::sourceSize; 0 in a dimension keeps the aspect.
*/
/*!
    \qmlproperty rect TrimmedImage::sourceClipRect
    The part of the read picture that is drawn, in pixels of the read size.
*/
/*! \qmlproperty int TrimmedImage::tileSize The side of a tile in pixels of the read picture; 32 by default. */
/*!
    \qmlproperty enumeration TrimmedImage::status
    The state of the read, with the values of Image's statuses:
    \value TrimmedImage.Null no source
    \value TrimmedImage.Ready the picture is read and drawn
    \value TrimmedImage.Loading a read is under way (the previous picture still shows)
    \value TrimmedImage.Error the file could not be read
*/
/*! \qmlproperty size TrimmedImage::pictureSize The pixel size of the picture read (after the band cut). */

// One background read; the items that wait for it hold it, the cache only
// remembers it while someone does.
class TrimmedImageRead : public QObject
{
    Q_OBJECT
public:
    QSharedPointer<const TrimmedImage::Picture> picture;
    QString error;
    bool finished = false;
signals:
    void done();
};

namespace {

QHash<QString, QWeakPointer<TrimmedImageRead>> &reads()
{
    static QHash<QString, QWeakPointer<TrimmedImageRead>> cache;
    return cache;
}

class ReadJob : public QRunnable
{
public:
    ReadJob(QSharedPointer<TrimmedImageRead> read, QString file, QSize size, QRect clip, int tileSize)
        : m_read(std::move(read)), m_file(std::move(file)), m_size(size), m_clip(clip), m_tileSize(tileSize)
    {
    }

    void run() override
    {
        QImageReader reader(m_file);
        const QSize natural = reader.size();
        QSize scaled = m_size;
        if (natural.isValid() && (m_size.width() > 0 || m_size.height() > 0)) {
            if (scaled.width() <= 0)
                scaled.setWidth(qMax(1, qRound(natural.width() * qreal(m_size.height()) / natural.height())));
            if (scaled.height() <= 0)
                scaled.setHeight(qMax(1, qRound(natural.height() * qreal(m_size.width()) / natural.width())));
            reader.setScaledSize(scaled);
        } else {
            scaled = natural;
        }
        if (m_clip.isValid())
            reader.setScaledClipRect(m_clip.intersected(QRect(QPoint(0, 0), scaled)));
        QImage image = reader.read();
        QString error;
        auto picture = QSharedPointer<TrimmedImage::Picture>::create();
        if (image.isNull())
            error = reader.errorString();
        else
            *picture = TrimmedImage::classify(image, m_tileSize);
        QSharedPointer<TrimmedImageRead> read = m_read;
        QMetaObject::invokeMethod(read.data(), [read, picture, error]() {
            read->picture = picture;
            read->error = error;
            read->finished = true;
            emit read->done();
        }, Qt::QueuedConnection);
    }

private:
    QSharedPointer<TrimmedImageRead> m_read;
    QString m_file;
    QSize m_size;
    QRect m_clip;
    int m_tileSize;
};

} // namespace

TrimmedImage::TrimmedImage(QQuickItem *parent) : QQuickItem(parent)
{
    setFlag(ItemHasContents, true);
    connect(this, &QQuickItem::smoothChanged, this, &QQuickItem::update);
}

TrimmedImage::~TrimmedImage() = default;

void TrimmedImage::setSource(const QUrl &source)
{
    if (m_source == source)
        return;
    m_source = source;
    emit sourceChanged();
    scheduleLoad();
}

void TrimmedImage::setSourceSize(const QSize &size)
{
    if (m_sourceSize == size)
        return;
    m_sourceSize = size;
    emit sourceSizeChanged();
    scheduleLoad();
}

void TrimmedImage::setSourceClipRect(const QRectF &rect)
{
    if (m_sourceClipRect == rect)
        return;
    m_sourceClipRect = rect;
    emit sourceClipRectChanged();
    scheduleLoad();
}

void TrimmedImage::setTileSize(int size)
{
    size = qMax(1, size);
    if (m_tileSize == size)
        return;
    m_tileSize = size;
    emit tileSizeChanged();
    scheduleLoad();
}

QSize TrimmedImage::pictureSize() const
{
    return m_picture ? m_picture->image.size() : QSize();
}

void TrimmedImage::setStatus(Status status)
{
    if (m_status == status)
        return;
    m_status = status;
    emit statusChanged();
}

TrimmedImage::Picture TrimmedImage::classify(const QImage &source, int tileSize)
{
    Picture picture;
    picture.tileSize = qMax(1, tileSize);
    const bool alpha = source.hasAlphaChannel();
    picture.image = alpha ? source.convertToFormat(QImage::Format_ARGB32) : source.convertToFormat(QImage::Format_RGB32);
    const int width = picture.image.width();
    const int height = picture.image.height();
    picture.columns = (width + picture.tileSize - 1) / picture.tileSize;
    picture.rows = (height + picture.tileSize - 1) / picture.tileSize;
    picture.tiles.fill(alpha ? Empty : Opaque, picture.columns * picture.rows);
    if (!alpha)
        return picture;
    QVector<bool> visible(picture.tiles.size(), false);
    QVector<bool> covered(picture.tiles.size(), true);
    for (int y = 0; y < height; ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(picture.image.constScanLine(y));
        const int rowStart = (y / picture.tileSize) * picture.columns;
        for (int x = 0; x < width; ++x) {
            const int alphaValue = qAlpha(line[x]);
            const int tile = rowStart + x / picture.tileSize;
            if (alphaValue > 0)
                visible[tile] = true;
            if (alphaValue < 255)
                covered[tile] = false;
        }
    }
    for (int tile = 0; tile < picture.tiles.size(); ++tile)
        picture.tiles[tile] = !visible.at(tile) ? Empty : covered.at(tile) ? Opaque : Blended;
    return picture;
}

void TrimmedImage::componentComplete()
{
    QQuickItem::componentComplete();
    load();
}

// A source and its band often change together from one binding update: the
// read waits for the frame's polish, so that it asks for the final pair only
// (and a picture already read still shows in that very frame).
void TrimmedImage::scheduleLoad()
{
    if (!isComponentComplete())
        return;
    m_loadPending = true;
    // Reading from now on, as far as anyone asks: a picture shown meanwhile is the old one.
    if (!m_source.isEmpty())
        setStatus(Loading);
    if (window())
        polish();
    else
        load();
}

void TrimmedImage::updatePolish()
{
    if (m_loadPending)
        load();
}

void TrimmedImage::load()
{
    if (!isComponentComplete())
        return;
    m_loadPending = false;
    if (m_read)
        disconnect(m_read.data(), nullptr, this, nullptr);
    m_read.reset();
    if (m_source.isEmpty()) {
        m_picture.reset();
        m_pictureChanged = true;
        update();
        emit pictureSizeChanged();
        setStatus(Null);
        return;
    }

    // The engine resolves the URL once more on reading, as an Image does: a
    // URL built in script still reaches its density variant.
    QUrl url = m_source;
    if (m_sourceSize.width() > 0 || m_sourceSize.height() > 0) {
        QUrlQuery query(url);
        query.removeAllQueryItems(QStringLiteral("coverSize"));
        query.addQueryItem(QStringLiteral("coverSize"), QStringLiteral("%1x%2").arg(qMax(0, m_sourceSize.width()))
                                                            .arg(qMax(0, m_sourceSize.height())));
        url.setQuery(query);
    }
    QQmlEngine *engine = qmlEngine(this);
    if (engine && engine->urlInterceptor())
        url = engine->urlInterceptor()->intercept(url, QQmlAbstractUrlInterceptor::UrlString);
    const QRect clip = m_sourceClipRect.toAlignedRect();
    const QString key = url.toString() + QLatin1Char('|') + QString::number(m_sourceSize.width()) + QLatin1Char('x')
                        + QString::number(m_sourceSize.height()) + QLatin1Char('|') + QString::number(clip.x())
                        + QLatin1Char(',') + QString::number(clip.y()) + QLatin1Char(',') + QString::number(clip.width())
                        + QLatin1Char(',') + QString::number(clip.height()) + QLatin1Char('|')
                        + QString::number(m_tileSize);
    QSharedPointer<TrimmedImageRead> read = reads().value(key).toStrongRef();
    if (!read) {
        const QString file = QQmlFile::urlToLocalFileOrQrc(url);
        read = QSharedPointer<TrimmedImageRead>(new TrimmedImageRead, &QObject::deleteLater);
        // Reads nobody holds any more are forgotten as new ones come.
        for (auto it = reads().begin(); it != reads().end();)
            it = it.value().isNull() ? reads().erase(it) : std::next(it);
        reads().insert(key, read);
        if (file.isEmpty()) {
            read->finished = true;
            read->error = QStringLiteral("not a local file");
        } else {
            QThreadPool::globalInstance()->start(new ReadJob(read, file, m_sourceSize, clip, m_tileSize));
        }
    }
    m_read = read;
    if (read->finished) {
        readFinished();
    } else {
        setStatus(Loading);
        connect(read.data(), &TrimmedImageRead::done, this, &TrimmedImage::readFinished);
    }
}

void TrimmedImage::readFinished()
{
    if (!m_read)
        return;
    const QSharedPointer<TrimmedImageRead> read = m_read;
    if (!read->error.isEmpty() || !read->picture || read->picture->image.isNull()) {
        qWarning("TrimmedImage: Cannot read %s: %s", qPrintable(m_source.toString()), qPrintable(read->error));
        m_picture.reset();
        m_pictureChanged = true;
        update();
        emit pictureSizeChanged();
        setStatus(Error);
        return;
    }
    m_picture = read->picture;
    m_pictureChanged = true;
    update();
    emit pictureSizeChanged();
    setStatus(Ready);
}

void TrimmedImage::geometryChanged(const QRectF &newGeometry, const QRectF &oldGeometry)
{
    QQuickItem::geometryChanged(newGeometry, oldGeometry);
    if (newGeometry.size() != oldGeometry.size()) {
        m_geometryChanged = true;
        update();
    }
}

void TrimmedImage::releaseResources()
{
    // The nodes, and the texture with them, go with the scene graph; a new
    // window's first paint makes them anew.
    m_pictureChanged = true;
}

namespace {

// Quads of the tiles of one kind, runs of neighbouring tiles in a row merged.
void fillGeometry(QSGGeometryNode *node, const TrimmedImage::Picture &picture, TrimmedImage::TileKind kind,
                  const QSizeF &itemSize, const QRectF &textureRect)
{
    QVector<QRect> runs;
    for (int row = 0; row < picture.rows; ++row) {
        int column = 0;
        while (column < picture.columns) {
            if (picture.tiles.at(row * picture.columns + column) != kind) {
                ++column;
                continue;
            }
            const int first = column;
            while (column < picture.columns && picture.tiles.at(row * picture.columns + column) == kind)
                ++column;
            runs.append(QRect(first, row, column - first, 1));
        }
    }
    QSGGeometry *geometry = node->geometry();
    geometry->allocate(runs.size() * 4, runs.size() * 6);
    const qreal pictureWidth = picture.image.width();
    const qreal pictureHeight = picture.image.height();
    QSGGeometry::TexturedPoint2D *vertices = geometry->vertexDataAsTexturedPoint2D();
    quint16 *indices = geometry->indexDataAsUShort();
    for (int i = 0; i < runs.size(); ++i) {
        const QRect &run = runs.at(i);
        const qreal left = run.x() * picture.tileSize;
        const qreal top = run.y() * picture.tileSize;
        const qreal right = qMin<qreal>(pictureWidth, (run.x() + run.width()) * picture.tileSize);
        const qreal bottom = qMin<qreal>(pictureHeight, (run.y() + 1) * picture.tileSize);
        const qreal xs[2] = {left, right};
        const qreal ys[2] = {top, bottom};
        for (int corner = 0; corner < 4; ++corner) {
            const qreal px = xs[corner & 1];
            const qreal py = ys[corner >> 1];
            vertices[i * 4 + corner].set(float(px / pictureWidth * itemSize.width()),
                                         float(py / pictureHeight * itemSize.height()),
                                         float(textureRect.x() + px / pictureWidth * textureRect.width()),
                                         float(textureRect.y() + py / pictureHeight * textureRect.height()));
        }
        const quint16 base = quint16(i * 4);
        const quint16 quad[6] = {base, quint16(base + 1), quint16(base + 2), quint16(base + 1), quint16(base + 3),
                                 quint16(base + 2)};
        std::copy(quad, quad + 6, indices + i * 6);
    }
    node->markDirty(QSGNode::DirtyGeometry);
}

// The texture is deleted with the nodes, by the scene graph, while the context
// it belongs to is current: an item may outlive its window's context.
class TrimmedNode : public QSGNode
{
public:
    ~TrimmedNode() override { delete texture; }
    QSGTexture *texture = nullptr;
};

QSGGeometryNode *makeNode(QSGMaterial *material)
{
    auto *node = new QSGGeometryNode;
    auto *geometry = new QSGGeometry(QSGGeometry::defaultAttributes_TexturedPoint2D(), 0, 0);
    geometry->setDrawingMode(QSGGeometry::DrawTriangles);
    geometry->setIndexDataPattern(QSGGeometry::StaticPattern);
    geometry->setVertexDataPattern(QSGGeometry::StaticPattern);
    node->setGeometry(geometry);
    node->setFlag(QSGNode::OwnsGeometry);
    node->setMaterial(material);
    node->setFlag(QSGNode::OwnsMaterial);
    return node;
}

} // namespace

QSGNode *TrimmedImage::updatePaintNode(QSGNode *oldNode, UpdatePaintNodeData *)
{
    if (!m_picture || width() <= 0 || height() <= 0 || !window()) {
        delete oldNode;
        return nullptr;
    }
    // The index type is 16 bits; a picture of that many runs is not what this item is for.
    if (m_picture->columns * m_picture->rows * 4 > 65535) {
        qWarning("TrimmedImage: %s has too many tiles of %d pixels to draw; use larger tiles",
                 qPrintable(m_source.toString()), m_tileSize);
        delete oldNode;
        return nullptr;
    }

    auto *root = static_cast<TrimmedNode *>(oldNode);
    QSGGeometryNode *opaqueNode = nullptr;
    QSGGeometryNode *blendedNode = nullptr;
    if (!root) {
        root = new TrimmedNode;
        // One material type for both: a faded item is blended whole, with its opacity.
        opaqueNode = makeNode(new QSGTextureMaterial);
        blendedNode = makeNode(new QSGTextureMaterial);
        root->appendChildNode(opaqueNode);
        root->appendChildNode(blendedNode);
        m_pictureChanged = true;
    } else {
        opaqueNode = static_cast<QSGGeometryNode *>(root->firstChild());
        blendedNode = static_cast<QSGGeometryNode *>(root->lastChild());
    }
    auto *opaqueMaterial = static_cast<QSGTextureMaterial *>(opaqueNode->material());
    auto *blendedMaterial = static_cast<QSGTextureMaterial *>(blendedNode->material());

    if (m_pictureChanged || !root->texture) {
        delete root->texture;
        root->texture = window()->createTextureFromImage(m_picture->image);
        opaqueMaterial->setTexture(root->texture);
        blendedMaterial->setTexture(root->texture);
        // Setting a texture with an alpha channel turns blending on again.
        opaqueMaterial->setFlag(QSGMaterial::Blending, false);
        blendedMaterial->setFlag(QSGMaterial::Blending, true);
        opaqueNode->markDirty(QSGNode::DirtyMaterial);
        blendedNode->markDirty(QSGNode::DirtyMaterial);
        m_geometryChanged = true;
    }
    const QSGTexture::Filtering filtering = smooth() ? QSGTexture::Linear : QSGTexture::Nearest;
    if (opaqueMaterial->filtering() != filtering) {
        opaqueMaterial->setFiltering(filtering);
        blendedMaterial->setFiltering(filtering);
        opaqueNode->markDirty(QSGNode::DirtyMaterial);
        blendedNode->markDirty(QSGNode::DirtyMaterial);
    }
    if (m_geometryChanged || m_pictureChanged) {
        const QRectF textureRect = root->texture->normalizedTextureSubRect();
        fillGeometry(opaqueNode, *m_picture, Opaque, size(), textureRect);
        fillGeometry(blendedNode, *m_picture, Blended, size(), textureRect);
    }
    m_pictureChanged = false;
    m_geometryChanged = false;
    return root;
}

#include "trimmedimage.moc"
