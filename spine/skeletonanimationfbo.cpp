#include "skeletonanimationfbo.h"

#include "spine/skeletonrenderer.h"
#include "spine/spineanimationstate.h"
#include "spine/spineatlas.h"
#include "spine/spineevent.h"
#include "spine/spineskeleton.h"
#include "spine/spineskeletonjson.h"

#include <QQmlEngine>
#include <QQmlFile>

#include <cfloat>

using namespace spine;

/*!
    \qmltype SkeletonAnimationFbo
    \inqmlmodule Zarno
    \instantiates SkeletonAnimationFbo
    \brief Loads a skeleton (JSON) with its texture atlas, plays its animations and draws it.

    The item advances its animations only when \l updateSkeletonAnimation() is called, typically
    once per frame. It sizes and places itself around the posed skeleton: the skeleton's origin
    is at (0, 0) of the parent item and its y axis points up, so the item's top is at minus the
    skeleton's highest point. Animation progress is reported by the signals \l skeletonStart,
    \l skeletonEnd, \l skeletonComplete and \l skeletonEvent. Handlers may set animations or
    change files.

    \qml
    Item {
        x: 240; y: 300                       // where the skeleton's feet stand
        SkeletonAnimationFbo {
            id: hero
            skeletonDataFile: "hero.json"
            atlasFile: "hero.atlas"
            Component.onCompleted: setAnimation(0, "walk", true)
            onSkeletonEvent: if (event.data.name === "step") console.log("step")
        }
        Timer { interval: 16; repeat: true; running: true; onTriggered: hero.updateSkeletonAnimation() }
    }
    \endqml
*/

/*!
    \qmlproperty url SkeletonAnimationFbo::skeletonDataFile
    The skeleton description (JSON).
*/
/*!
    \qmlproperty url SkeletonAnimationFbo::atlasFile
    The texture atlas whose regions the skeleton uses.
*/
/*!
    \qmlproperty real SkeletonAnimationFbo::scale
    Scale applied while reading the skeleton; a change reloads it.
*/
/*!
    \qmlproperty string SkeletonAnimationFbo::skin
    The skin shown, \c "default" at start.
*/
/*!
    \qmlproperty real SkeletonAnimationFbo::timeScale
    Multiplies the time of each update.
*/
/*!
    \qmlproperty bool SkeletonAnimationFbo::premultipliedAlapha
    Whether vertex colours are premultiplied by alpha (true).
*/
/*!
    \qmlproperty bool SkeletonAnimationFbo::debugSlots
    Draws the outline of every region attachment.
*/
/*!
    \qmlproperty bool SkeletonAnimationFbo::debugBones
    Draws bones as lines and their origins as points.
*/
/*!
    \qmlproperty size SkeletonAnimationFbo::sourceSize
    Read-only: the skeleton's extent after the last update.
*/
/*!
    \qmlsignal SkeletonAnimationFbo::skeletonStart(int trackIndex)
    An animation started on track \a trackIndex.
*/
/*!
    \qmlsignal SkeletonAnimationFbo::skeletonEnd(int trackIndex)
    An animation ended or was replaced on track \a trackIndex.
*/
/*!
    \qmlsignal SkeletonAnimationFbo::skeletonComplete(int trackIndex, int loopCount)
    The animation on track \a trackIndex reached its end; \a loopCount counts the loops so far.
*/
/*!
    \qmlsignal SkeletonAnimationFbo::skeletonEvent(int trackIndex, SpineEvent event)
    The animation on track \a trackIndex passed an event key. \a event is deleted at the next update.
*/
/*!
    \qmlmethod SkeletonAnimationFbo::updateSkeletonAnimation()
    Advances the animations by the time since the previous call times \l timeScale (0 for the first).
*/
/*!
    \qmlmethod SkeletonAnimationFbo::setToSetupPose()
    Puts bones and slots back in the setup pose.
*/
/*!
    \qmlmethod SkeletonAnimationFbo::setBonesToSetupPose()
    Puts the bones back in the setup pose.
*/
/*!
    \qmlmethod SkeletonAnimationFbo::setSlotsToSetupPose()
    Puts the slots and draw order back in the setup pose.
*/
/*!
    \qmlmethod bool SkeletonAnimationFbo::setAttachment(string slotName, string attachmentName)
    Shows \a attachmentName in slot \a slotName (an empty name empties it). Returns false if either does not exist.
*/
/*!
    \qmlmethod SkeletonAnimationFbo::setMix(string fromAnimation, string toAnimation, real duration)
    Cross-fades from \a fromAnimation to \a toAnimation over \a duration seconds.
*/
/*!
    \qmlmethod SkeletonAnimationFbo::setAnimation(int trackIndex, string name, bool loop)
    Plays animation \a name on track \a trackIndex at once, repeating if \a loop; unknown names are ignored.
*/
/*!
    \qmlmethod SkeletonAnimationFbo::addAnimation(int trackIndex, string name, bool loop, real delay)
    Queues animation \a name after the last one of track \a trackIndex, repeating if \a loop; a \a delay of 0 starts it as that one ends.
*/
/*!
    \qmlmethod SkeletonAnimationFbo::clearTracks()
    Stops all tracks.
*/
/*!
    \qmlmethod SkeletonAnimationFbo::clearTrack(int trackIndex)
    Stops track \a trackIndex (0 by default).
*/

class SkeletonAnimationFbo::RuntimeCall
{
public:
    explicit RuntimeCall(SkeletonAnimationFbo *item) : m_item(item) { ++m_item->m_runtimeDepth; }
    ~RuntimeCall()
    {
        if (--m_item->m_runtimeDepth == 0 && m_item->m_reloadPending) {
            m_item->m_reloadPending = false;
            m_item->load();
        }
    }

private:
    SkeletonAnimationFbo *m_item;
};

SkeletonAnimationFbo::SkeletonAnimationFbo(QQuickItem *parent)
    : QQuickFramebufferObject(parent)
{
    // The framebuffer is drawn with y up (skeleton space); Qt Quick shows
    // textures with their first row at the top.
    setMirrorVertically(true);
}

SkeletonAnimationFbo::~SkeletonAnimationFbo()
{
    qDeleteAll(m_events);
}

QQuickFramebufferObject::Renderer *SkeletonAnimationFbo::createRenderer() const
{
    return new SkeletonRenderer;
}

void SkeletonAnimationFbo::componentComplete()
{
    QQuickFramebufferObject::componentComplete();
    load();
}

void SkeletonAnimationFbo::requestReload()
{
    if (!isComponentComplete())
        return;
    if (m_runtimeDepth > 0) {
        m_reloadPending = true;
        return;
    }
    load();
}

void SkeletonAnimationFbo::setSkeletonDataFile(const QUrl &url)
{
    if (m_skeletonDataFile == url)
        return;
    m_skeletonDataFile = url;
    emit skeletonDataFileChanged(url);
    requestReload();
}

void SkeletonAnimationFbo::setAtlasFile(const QUrl &url)
{
    if (m_atlasFile == url)
        return;
    m_atlasFile = url;
    emit atlasFileChanged(url);
    requestReload();
}

void SkeletonAnimationFbo::setSkeletonScale(float scale)
{
    if (qFuzzyCompare(m_scale, scale))
        return;
    m_scale = scale;
    emit scaleChanged();
    requestReload();
}

void SkeletonAnimationFbo::setSkin(const QString &skin)
{
    if (m_skin == skin)
        return;
    m_skin = skin;
    emit skinChanged();
    if (m_loaded)
        m_skeleton->setSkin(skin);
}

void SkeletonAnimationFbo::setTimeScale(float timeScale)
{
    if (qFuzzyCompare(m_timeScale, timeScale))
        return;
    m_timeScale = timeScale;
    emit timeScaleChanged();
}

void SkeletonAnimationFbo::setPremultipliedAlapha(bool premultiplied)
{
    if (m_premultipliedAlapha == premultiplied)
        return;
    m_premultipliedAlapha = premultiplied;
    emit premultipliedAlaphaChanged();
    update();
}

void SkeletonAnimationFbo::setDebugSlots(bool debug)
{
    if (m_debugSlots == debug)
        return;
    m_debugSlots = debug;
    emit debugSlotsChanged();
    update();
}

void SkeletonAnimationFbo::setDebugBones(bool debug)
{
    if (m_debugBones == debug)
        return;
    m_debugBones = debug;
    emit debugBonesChanged();
    update();
}

void SkeletonAnimationFbo::unload()
{
    m_state.reset();
    m_stateData.reset();
    m_skeleton.reset();
    m_skeletonData.reset();
    m_atlas.reset();
    m_loaded = false;
    m_textureCacheStale = true;
}

void SkeletonAnimationFbo::load()
{
    unload();
    if (m_atlasFile.isEmpty() || !m_atlasFile.isValid() || m_skeletonDataFile.isEmpty() || !m_skeletonDataFile.isValid()) {
        update();
        return;
    }
    m_atlas = Atlas::load(QQmlFile::urlToLocalFileOrQrc(m_atlasFile));
    if (!m_atlas) {
        update();
        return;
    }
    for (const auto &page : m_atlas->pages()) {
        if (page->image.isNull())
            qWarning("SkeletonAnimationFbo WARNING: atlas page image not found, its attachments are not drawn: %s",
                     qPrintable(page->imagePath));
    }
    SkeletonJson json(m_atlas.get());
    json.scale = m_scale;
    m_skeletonData = json.readSkeletonDataFile(QQmlFile::urlToLocalFileOrQrc(m_skeletonDataFile));
    if (!m_skeletonData) {
        unload();
        update();
        return;
    }
    m_skeleton = std::make_unique<Skeleton>(m_skeletonData.get());
    m_skeleton->setSkin(m_skin);
    m_stateData = std::make_unique<AnimationStateData>(m_skeletonData.get());
    m_state = std::make_unique<AnimationState>(m_stateData.get());
    m_state->setListener([this](int track, AnimationState::EventType type, const Event *event, int loopCount) {
        switch (type) {
        case AnimationState::Start:
            emit skeletonStart(track);
            break;
        case AnimationState::End:
            emit skeletonEnd(track);
            break;
        case AnimationState::Complete:
            emit skeletonComplete(track, loopCount);
            break;
        case AnimationState::EventFired: {
            auto *wrapper = new SpineEvent(*event, nullptr);
            QQmlEngine::setObjectOwnership(wrapper, QQmlEngine::CppOwnership);
            m_events.append(wrapper);
            emit skeletonEvent(track, wrapper);
            break;
        }
        }
    });
    m_loaded = true;
    m_clock.invalidate();
    update();
}

QRectF SkeletonAnimationFbo::boundingBox() const
{
    if (!m_loaded)
        return QRectF(0, 0, 0, 0);
    float minX = FLT_MAX, minY = FLT_MAX, maxX = -FLT_MAX, maxY = -FLT_MAX;
    for (const Slot *slot : m_skeleton->drawOrder()) {
        const int length = worldVerticesLength(slot->attachment);
        if (length == 0)
            continue;
        if (m_worldVertices.size() < size_t(length))
            m_worldVertices.resize(size_t(length));
        computeWorldVertices(slot->attachment, *m_skeleton, *slot, m_worldVertices.data());
        for (int i = 0; i + 1 < length; i += 2) {
            minX = qMin(minX, m_worldVertices[size_t(i)]);
            maxX = qMax(maxX, m_worldVertices[size_t(i)]);
            minY = qMin(minY, m_worldVertices[size_t(i + 1)]);
            maxY = qMax(maxY, m_worldVertices[size_t(i + 1)]);
        }
    }
    // Nothing drawable: an empty box at the origin rather than one spanning all floats.
    if (minX > maxX)
        return QRectF(0, 0, 0, 0);
    return QRectF(minX, minY, maxX - minX, maxY - minY);
}

void SkeletonAnimationFbo::updateSkeletonAnimation()
{
    // A handler calling back in must not free the event being delivered.
    if (!m_loaded || m_runtimeDepth > 0) {
        update();
        return;
    }
    qDeleteAll(m_events);
    m_events.clear();

    float elapsed = 0;
    if (m_heldForGame)
        m_clock.invalidate();
    else if (m_clock.isValid())
        elapsed = m_clock.restart() / 1000.0f;
    else
        m_clock.start();
    const float delta = elapsed * m_timeScale;
    {
        RuntimeCall call(this);
        m_skeleton->update(delta);
        m_state->update(delta);
        m_state->apply(*m_skeleton);
        m_skeleton->updateWorldTransform();
    }
    if (!m_loaded) {
        update();
        return;
    }

    const QRectF box = boundingBox();
    const QSize size(int(box.width()), int(box.height()));
    if (size != m_sourceSize) {
        m_sourceSize = size;
        emit sourceSizeChanged();
    }
    setImplicitSize(box.width(), box.height());
    setPosition(QPointF(box.left(), -box.bottom()));
    update();
}

bool SkeletonAnimationFbo::pauseForGame()
{
    if (m_heldForGame)
        return false;
    m_heldForGame = true;
    return true;
}

void SkeletonAnimationFbo::resumeForGame()
{
    m_heldForGame = false;
    // The next update starts timing afresh instead of counting the pause.
    m_clock.invalidate();
}

void SkeletonAnimationFbo::setToSetupPose()
{
    if (m_loaded)
        m_skeleton->setToSetupPose();
}

void SkeletonAnimationFbo::setBonesToSetupPose()
{
    if (m_loaded)
        m_skeleton->setBonesToSetupPose();
}

void SkeletonAnimationFbo::setSlotsToSetupPose()
{
    if (m_loaded)
        m_skeleton->setSlotsToSetupPose();
}

bool SkeletonAnimationFbo::setAttachment(const QString &slotName, const QString &attachmentName)
{
    return m_loaded && m_skeleton->setAttachment(slotName, attachmentName);
}

void SkeletonAnimationFbo::setMix(const QString &fromAnimation, const QString &toAnimation, float duration)
{
    if (m_loaded)
        m_stateData->setMix(fromAnimation, toAnimation, duration);
}

void SkeletonAnimationFbo::setAnimation(int trackIndex, const QString &name, bool loop)
{
    if (!m_loaded)
        return;
    const Animation *animation = m_skeletonData->findAnimation(name);
    if (!animation)
        return;
    RuntimeCall call(this);
    m_state->setAnimation(trackIndex, animation, loop);
}

void SkeletonAnimationFbo::addAnimation(int trackIndex, const QString &name, bool loop, float delay)
{
    if (!m_loaded)
        return;
    const Animation *animation = m_skeletonData->findAnimation(name);
    if (!animation)
        return;
    RuntimeCall call(this);
    m_state->addAnimation(trackIndex, animation, loop, delay);
}

void SkeletonAnimationFbo::clearTracks()
{
    if (!m_loaded)
        return;
    RuntimeCall call(this);
    m_state->clearTracks();
}

void SkeletonAnimationFbo::clearTrack(int trackIndex)
{
    if (!m_loaded)
        return;
    RuntimeCall call(this);
    m_state->clearTrack(trackIndex);
}
