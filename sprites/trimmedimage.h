#ifndef TRIMMEDIMAGE_H
#define TRIMMEDIMAGE_H

#include <QImage>
#include <QQuickItem>
#include <QRectF>
#include <QSharedPointer>
#include <QSize>
#include <QUrl>
#include <QVector>

class TrimmedImageRead;

// A picture, read in the background, drawn over the item's whole box in square
// tiles: fully transparent tiles are left out, fully opaque ones are drawn
// without blending (so they also hide what lies behind them), and only the rest
// is blended. Meant for large layered pictures with wide empty or solid parts,
// where blending every pixel costs most of a frame under software rendering.
class TrimmedImage : public QQuickItem
{
    Q_OBJECT
    Q_PROPERTY(QUrl source READ source WRITE setSource NOTIFY sourceChanged)
    Q_PROPERTY(QSize sourceSize READ sourceSize WRITE setSourceSize NOTIFY sourceSizeChanged)
    Q_PROPERTY(QRectF sourceClipRect READ sourceClipRect WRITE setSourceClipRect NOTIFY sourceClipRectChanged)
    Q_PROPERTY(int tileSize READ tileSize WRITE setTileSize NOTIFY tileSizeChanged)
    Q_PROPERTY(Status status READ status NOTIFY statusChanged)
    Q_PROPERTY(QSize pictureSize READ pictureSize NOTIFY pictureSizeChanged)
public:
    // The values of Image's statuses, so documents may compare with Image.Ready.
    enum Status { Null = 0, Ready = 1, Loading = 2, Error = 3 };
    Q_ENUM(Status)

    // What a tile of the picture holds.
    enum TileKind : quint8 { Empty = 0, Opaque = 1, Blended = 2 };

    // One decoded picture with the kind of each of its tiles; shared by every
    // item that reads the same file at the same size, band and tile size.
    struct Picture
    {
        QImage image;
        int tileSize = 0;
        int columns = 0;
        int rows = 0;
        QVector<quint8> tiles;
    };

    explicit TrimmedImage(QQuickItem *parent = nullptr);
    ~TrimmedImage() override;

    QUrl source() const { return m_source; }
    void setSource(const QUrl &source);
    QSize sourceSize() const { return m_sourceSize; }
    void setSourceSize(const QSize &size);
    QRectF sourceClipRect() const { return m_sourceClipRect; }
    void setSourceClipRect(const QRectF &rect);
    int tileSize() const { return m_tileSize; }
    void setTileSize(int size);
    Status status() const { return m_status; }
    QSize pictureSize() const;

    // Sorts the tiles of an image; a partial tile at the right or bottom edge
    // is judged by the pixels it has.
    static Picture classify(const QImage &image, int tileSize);

signals:
    void sourceChanged();
    void sourceSizeChanged();
    void sourceClipRectChanged();
    void tileSizeChanged();
    void statusChanged();
    void pictureSizeChanged();

protected:
    void componentComplete() override;
    void geometryChanged(const QRectF &newGeometry, const QRectF &oldGeometry) override;
    QSGNode *updatePaintNode(QSGNode *oldNode, UpdatePaintNodeData *data) override;
    void releaseResources() override;
    void updatePolish() override;

private:
    void scheduleLoad();
    void load();
    void readFinished();
    void setStatus(Status status);

    QUrl m_source;
    QSize m_sourceSize;
    QRectF m_sourceClipRect;
    int m_tileSize = 32;
    Status m_status = Null;
    QSharedPointer<TrimmedImageRead> m_read;
    QSharedPointer<const Picture> m_picture;
    bool m_pictureChanged = false;
    bool m_geometryChanged = false;
    bool m_loadPending = false;
};

#endif
