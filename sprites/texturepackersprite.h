#ifndef TEXTUREPACKERSPRITE_H
#define TEXTUREPACKERSPRITE_H

#include "components/circularstatemachine.h"
#include "platform/igamepausable.h"
#include "sprites/texturepackersheetcache.h"

#include <QPointer>
#include <QQuickItem>
#include <QSGTexture>
#include <QStringList>
#include <QUrl>
#include <QVariantMap>
#include <QVector>

class QSGGeometryNode;
class TexturePackerSpriteClock;
class TexturePackerSpriteMaterial;

// Shows one frame, or an animation over a list of frames, of a packed sprite
// sheet as one textured quad. Sheets and their textures are shared by all
// instances through process-wide caches.
class TexturePackerSprite : public QQuickItem, public IGamePausable
{
    Q_OBJECT
    Q_INTERFACES(IGamePausable)
    Q_PROPERTY(QStringList frameNames READ getFrameNames WRITE setFrameNames NOTIFY frameNamesChanged)
    Q_PROPERTY(QUrl source READ getSource WRITE setSource NOTIFY sourceChanged)
    Q_PROPERTY(QString name READ getName WRITE setName NOTIFY nameChanged)
    Q_PROPERTY(QVariantMap to READ getTo WRITE setTo NOTIFY toChanged)
    Q_PROPERTY(FillModes fillMode READ getFillMode WRITE setFillMode NOTIFY fillModeChanged)
    Q_PROPERTY(double textureScale READ getTextureScale NOTIFY textureScaleChanged)
    Q_PROPERTY(float frameRate READ getFrameRate WRITE setFrameRate NOTIFY frameRateChanged)
    Q_PROPERTY(int loops READ getLoops WRITE setLoops NOTIFY loopsChanged)
    Q_PROPERTY(bool running READ getRunning WRITE setRunning NOTIFY runningChanged)
    Q_PROPERTY(bool paused READ getPaused WRITE setPaused NOTIFY pausedChanged)
    Q_PROPERTY(bool reverse READ getReverse WRITE setReverse NOTIFY reverseChanged)
    Q_PROPERTY(int currentFrame READ getCurrentFrame WRITE setCurrentFrame NOTIFY currentFrameChanged)
    Q_PROPERTY(bool interpolate READ getInterpolate WRITE setInterpolate NOTIFY interpolateChanged)
public:
    // A fixed underlying type: any number QML writes is a defined value (laid out as Stretch).
    enum FillModes : int { Stretch = 0, PreserveAspectFit = 1 };
    Q_ENUM(FillModes)
    enum LoopParameters { Infinite = -1 };
    Q_ENUM(LoopParameters)

    explicit TexturePackerSprite(QQuickItem *parent = nullptr);
    ~TexturePackerSprite() override;

    // The animation clock; tests replace its time source.
    CircularStateMachine *stateMachine() { return &m_machine; }

    Q_INVOKABLE bool widthExplicitlySet() const;
    Q_INVOKABLE bool heightExplicitlySet() const;

    // A game pause holds the frame clock as pause() does.
    bool pauseForGame() override;
    void resumeForGame() override;

public slots:
    void start();
    void stop();
    void restart();
    void pause();
    void resume();
    void advance();
    void clearCache();

    void setFrameNames(const QStringList &frameNames);
    void setSource(const QUrl &source);
    void setName(const QString &name);
    void setTo(const QVariantMap &to);
    void setFillMode(FillModes fillMode);
    void setFrameRate(float frameRate);
    void setLoops(int loops);
    void setRunning(bool running);
    void setPaused(bool paused);
    void setCurrentFrame(int currentFrame);
    void setReverse(bool reverse);
    void setInterpolate(bool interpolate);

    QStringList getFrameNames() const { return m_frameNames; }
    QUrl getSource() const { return m_source; }
    QString getName() const { return m_name; }
    QVariantMap getTo() const { return m_to; }
    FillModes getFillMode() const { return m_fillMode; }
    double getTextureScale() const { return m_textureScale; }
    float getFrameRate() const { return m_machine.stateRate(); }
    int getLoops() const { return m_machine.loops(); }
    bool getRunning() const { return m_machine.running(); }
    bool getPaused() const { return m_machine.paused(); }
    int getCurrentFrame() const { return m_machine.currentState(); }
    bool getReverse() const { return m_machine.reverse(); }
    bool getInterpolate() const { return m_interpolate; }

    // Sizes in scene units: an explicit width is kept in sheet pixels, so
    // that the quad is drawn at width x textureScale.
    void setWidthScaled(double width);
    void setHeightScaled(double height);
    double getWidthScaled() const;
    double getHeightScaled() const;

signals:
    void frameNamesChanged();
    void sourceChanged();
    void nameChanged();
    void toChanged();
    void fillModeChanged();
    void textureScaleChanged();
    void frameRateChanged();
    void loopsChanged();
    void runningChanged();
    void pausedChanged();
    void currentFrameChanged();
    void reverseChanged();
    void interpolateChanged();
    void loopFinished();

protected slots:
    void updateItemSize();
    void updateVertices();
    void updateSmooth(bool smooth);
    void currentStateChanged();
    void markDirty();

protected:
    QSGNode *updatePaintNode(QSGNode *oldNode, UpdatePaintNodeData *data) override;

private slots:
    void onWindowChanged(QQuickWindow *window);

private:
    friend class TexturePackerSpriteClock;
    // Called by the window's clock once per rendered frame; whether the
    // sprite shows, and so needs further frames.
    bool advanceFrameClock();
    void leaveClock();

    const TexturePackerFrame *frameAt(int index) const;
    void resolveFrames();
    void refreshSheet();
    void warnAboutMissingFrames() const;
    QSGGeometryNode *buildNode();
    void loadTexture();
    void updateTextureCoordinates(bool force);
    bool interpolatingLayout() const;
    void updateMaterial();
    QSGTexture::Filtering filtering() const;
    bool texelsOnWholePixels() const;
    void setAnimation(const float anim[7]);

    CircularStateMachine m_machine;
    QStringList m_frameNames;
    QUrl m_source;
    QString m_name;
    QVariantMap m_to;
    FillModes m_fillMode = Stretch;
    double m_textureScale = 1.0;
    bool m_interpolate = false;

    TexturePackerSheetCache::SheetPointer m_sheet;
    quint64 m_sheetGeneration = 0;
    // The sheet's record of each name in m_frameNames, or null: frames are
    // looked up by index while painting, by name only when names or sheet change.
    QVector<const TexturePackerFrame *> m_frames;

    // Valid only during a paint; the scene graph owns the node and the node
    // owns the material.
    QSGGeometryNode *m_node = nullptr;
    TexturePackerSpriteMaterial *m_material = nullptr;
    quint64 m_nodeGeneration = 0;

    double m_drawWidth = 0.0;
    double m_drawHeight = 0.0;
    bool m_nodeBuilt = false;
    bool m_dirty = true;
    bool m_textureNeedsReload = true;
    bool m_cacheCleared = false;
    bool m_currentFrameRotated = false;
    // The texture coordinates of the quad's corners within a frame, x and y
    // each, turned for a rotated frame.
    float m_corners[8] = {0, 0, 1, 0, 0, 1, 1, 1};
    // The quad is as many pixels as its frame has texels, so nearest sampling
    // draws what linear sampling does wherever the sprite lies on whole pixels.
    bool m_texelPerPixel = false;
    bool m_sampledNearest = false;

    QPointer<TexturePackerSpriteClock> m_clock;
    int m_clockIndex = -1; // kept by the clock
};

#endif
