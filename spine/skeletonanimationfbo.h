#ifndef SKELETONANIMATIONFBO_H
#define SKELETONANIMATIONFBO_H

#include "platform/igamepausable.h"

#include <QElapsedTimer>
#include <QList>
#include <QQuickFramebufferObject>
#include <QSize>
#include <QUrl>

#include <memory>
#include <vector>

class SpineEvent;

namespace spine {
class Atlas;
class SkeletonData;
class Skeleton;
class AnimationStateData;
class AnimationState;
} // namespace spine

// Loads a skeleton and its atlas, plays its animations on request and draws
// the posed skeleton into its framebuffer. The item places itself so that
// the skeleton's origin is at (0, 0) of its parent, y pointing up.
class SkeletonAnimationFbo : public QQuickFramebufferObject, public IGamePausable
{
    Q_OBJECT
    Q_INTERFACES(IGamePausable)
    Q_PROPERTY(QUrl skeletonDataFile READ skeletonDataFile WRITE setSkeletonDataFile NOTIFY skeletonDataFileChanged)
    Q_PROPERTY(QUrl atlasFile READ atlasFile WRITE setAtlasFile NOTIFY atlasFileChanged)
    // Scales the skeleton as it is read, not the drawn item.
    Q_PROPERTY(float scale READ skeletonScale WRITE setSkeletonScale NOTIFY scaleChanged)
    Q_PROPERTY(QString skin READ skin WRITE setSkin NOTIFY skinChanged)
    Q_PROPERTY(float timeScale READ timeScale WRITE setTimeScale NOTIFY timeScaleChanged)
    Q_PROPERTY(bool premultipliedAlapha READ premultipliedAlapha WRITE setPremultipliedAlapha NOTIFY premultipliedAlaphaChanged)
    Q_PROPERTY(bool debugSlots READ debugSlots WRITE setDebugSlots NOTIFY debugSlotsChanged)
    Q_PROPERTY(bool debugBones READ debugBones WRITE setDebugBones NOTIFY debugBonesChanged)
    Q_PROPERTY(QSize sourceSize READ sourceSize NOTIFY sourceSizeChanged)
public:
    explicit SkeletonAnimationFbo(QQuickItem *parent = nullptr);

    bool pauseForGame() override;
    void resumeForGame() override;
    ~SkeletonAnimationFbo() override;

    Renderer *createRenderer() const override;

    QUrl skeletonDataFile() const { return m_skeletonDataFile; }
    QUrl atlasFile() const { return m_atlasFile; }
    float skeletonScale() const { return m_scale; }
    QString skin() const { return m_skin; }
    float timeScale() const { return m_timeScale; }
    bool premultipliedAlapha() const { return m_premultipliedAlapha; }
    bool debugSlots() const { return m_debugSlots; }
    bool debugBones() const { return m_debugBones; }
    QSize sourceSize() const { return m_sourceSize; }

    void setSkeletonDataFile(const QUrl &url);
    void setAtlasFile(const QUrl &url);
    void setSkeletonScale(float scale);
    void setSkin(const QString &skin);
    void setTimeScale(float timeScale);
    void setPremultipliedAlapha(bool premultiplied);
    void setDebugSlots(bool debug);
    void setDebugBones(bool debug);

    bool isLoaded() const { return m_loaded; }
    // The skeleton's extent in its own space (y up); empty when nothing is loaded.
    QRectF boundingBox() const;
    // For tests and tools; null when nothing is loaded.
    spine::Skeleton *skeleton() const { return m_skeleton.get(); }
    spine::AnimationState *animationState() const { return m_state.get(); }

    Q_INVOKABLE void setToSetupPose();
    Q_INVOKABLE void setBonesToSetupPose();
    Q_INVOKABLE void setSlotsToSetupPose();
    Q_INVOKABLE bool setAttachment(const QString &slotName, const QString &attachmentName);
    Q_INVOKABLE void setMix(const QString &fromAnimation, const QString &toAnimation, float duration);
    Q_INVOKABLE void setAnimation(int trackIndex, const QString &name, bool loop);
    Q_INVOKABLE void addAnimation(int trackIndex, const QString &name, bool loop, float delay = 0);
    Q_INVOKABLE void clearTracks();
    Q_INVOKABLE void clearTrack(int trackIndex = 0);

public slots:
    void updateSkeletonAnimation();

signals:
    void skeletonDataFileChanged(const QUrl &url);
    void atlasFileChanged(const QUrl &url);
    void skinChanged();
    void timeScaleChanged();
    void premultipliedAlaphaChanged();
    void debugSlotsChanged();
    void debugBonesChanged();
    void sourceSizeChanged();

    void skeletonStart(int trackIndex);
    void skeletonEnd(int trackIndex);
    void skeletonComplete(int trackIndex, int loopCount);
    void skeletonEvent(int trackIndex, SpineEvent *event);

protected:
    void componentComplete() override;

private:
    friend class SkeletonRenderer;
    // Reloads wait while the runtime is delivering to QML handlers, so that
    // nothing they iterate is freed under them.
    class RuntimeCall;
    void requestReload();
    void load();
    void unload();

    QUrl m_skeletonDataFile;
    QUrl m_atlasFile;
    float m_scale = 1;
    QString m_skin = QStringLiteral("default");
    float m_timeScale = 1;
    bool m_premultipliedAlapha = true;
    bool m_debugSlots = false;
    bool m_debugBones = false;
    QSize m_sourceSize = QSize(-1, -1);

    std::unique_ptr<spine::Atlas> m_atlas;
    std::unique_ptr<spine::SkeletonData> m_skeletonData;
    std::unique_ptr<spine::Skeleton> m_skeleton;
    std::unique_ptr<spine::AnimationStateData> m_stateData;
    std::unique_ptr<spine::AnimationState> m_state;
    bool m_loaded = false;
    bool m_textureCacheStale = true;
    QElapsedTimer m_clock;
    // Held by System::pauseGameForObject: updates advance nothing, and the held
    // time never reaches the animations.
    bool m_heldForGame = false;
    QList<SpineEvent *> m_events;
    // Attachment world vertices; grows to the largest attachment.
    mutable std::vector<float> m_worldVertices;
    int m_runtimeDepth = 0;
    bool m_reloadPending = false;
};

#endif
