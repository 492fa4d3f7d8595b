#include "texturepackersprite.h"

#include "sprites/texturepackerspriteclock.h"
#include "sprites/texturepackerspritematerial.h"

#include <QHash>
#include <QImage>
#include <QOpenGLContext>
#include <QPointer>
#include <QQuickWindow>
#include <QSGGeometryNode>
#include <QSGTexture>

#include <algorithm>
#include <cmath>

/*!
    \qmltype TexturePackerSprite
    \inqmlmodule Zarno
    \instantiates TexturePackerSprite
    \brief One frame, or an animation over frames, of a packed sprite sheet.

    A sheet is one image with many frames, described by a JSON document whose
    "frames" object is keyed by frame name and whose "meta" object names the
    image and its size. Set \l source to the JSON document and \l frameNames
    to the frames to cycle through. Sheets and their textures are read once per
    process and shared by every sprite. A sheet in a \c{+hd} or \c{+hd2} folder
    has a \l textureScale of 0.5 or 0.25, so a frame keeps its size in scene
    units. The animation clock is the wall clock; a game pause
    (System::pauseGameForObject()) holds it. Nothing is drawn until the sheet
    and its image load; problems are logged as warnings.

    The framework's TexturePackerAnimatedSpriteZarno wraps this element with
    sizes in scene units; use this one directly for full control.

    \qml
    TexturePackerSprite {
        source: "../assets/img/sheet.json"
        frameNames: ["walk1.png", "walk2.png", "walk3.png"]
        frameRate: 8
    }
    \endqml
*/

/*!
    \qmlproperty list<string> TexturePackerSprite::frameNames
    The names of the frames to show, in order (matched exactly against the
    sheet's frame names). A name the sheet does not hold is logged once and
    draws nothing. One name makes a still sprite.
*/

/*!
    \qmlproperty url TexturePackerSprite::source
    The URL of the sheet's JSON document. Its image is read from the same
    folder. Setting the same URL again does nothing.
*/

/*!
    \qmlproperty string TexturePackerSprite::name
    A name for wrappers that use the sprite as a state of a sequence; stored only.
*/

/*!
    \qmlproperty var TexturePackerSprite::to
    Transitions for wrappers, as in Sprite::to; stored only.
*/

/*!
    \qmlproperty enumeration TexturePackerSprite::fillMode
    How a frame fills a set size:
    \value TexturePackerSprite.Stretch the frame is stretched to the item (default)
    \value TexturePackerSprite.PreserveAspectFit the frame keeps its aspect
           ratio; a size set in one direction gives the other
*/

/*!
    \qmlproperty real TexturePackerSprite::textureScale
    Scene units per sheet pixel: 1, or 0.5 and 0.25 for sheets in \c{+hd} and
    \c{+hd2} folders. Read-only.
*/

/*!
    \qmlproperty real TexturePackerSprite::frameRate
    Frames per second; 1 by default.
*/

/*!
    \qmlproperty int TexturePackerSprite::loops
    How often the frames play before the animation stops;
    \c TexturePackerSprite.Infinite (-1, the default) plays forever.
    \value TexturePackerSprite.Infinite
*/

/*!
    \qmlproperty bool TexturePackerSprite::running
    Whether the animation runs; true by default. Loading the sheet's image
    restarts the animation from frame 0, so a sprite declared with
    \c{running: false} runs once its image has loaded: stop it after that, or
    use \l paused.
*/

/*!
    \qmlproperty bool TexturePackerSprite::paused
    Whether the animation is paused on its current frame; false by default.
*/

/*!
    \qmlproperty bool TexturePackerSprite::reverse
    Whether the frames play backwards; false by default.
*/

/*!
    \qmlproperty int TexturePackerSprite::currentFrame
    The index in \l frameNames of the frame shown. It can be set only while
    \l paused.
*/

/*!
    \qmlproperty bool TexturePackerSprite::interpolate
    Whether each frame is blended into the next as time passes; false by default.
*/

/*!
    \qmlsignal TexturePackerSprite::loopFinished()
    Emitted each time the animation has played all its frames once.
*/

/*!
    \qmlsignal TexturePackerSprite::textureScaleChanged()
    Emitted when a new \l source changes \l textureScale.
*/

/*!
    \qmlmethod TexturePackerSprite::start()
    Starts the animation.
*/

/*!
    \qmlmethod TexturePackerSprite::stop()
    Stops the animation.
*/

/*!
    \qmlmethod TexturePackerSprite::restart()
    Starts the animation again from frame 0.
*/

/*!
    \qmlmethod TexturePackerSprite::pause()
    Pauses the animation on its current frame.
*/

/*!
    \qmlmethod TexturePackerSprite::resume()
    Resumes a paused animation.
*/

/*!
    \qmlmethod TexturePackerSprite::advance()
    Shows the next frame; works only while the animation is running and paused.
*/

/*!
    \qmlmethod TexturePackerSprite::clearCache()
    Forgets every sheet and texture read so far, for all sprites; each sprite
    reads its image again when it is next drawn and sheets are read again on
    the next change of \l source.
*/

/*!
    \qmlmethod TexturePackerSprite::setFrameNames(list<string> frameNames)
    \qmlmethod TexturePackerSprite::setSource(url source)
    \qmlmethod TexturePackerSprite::setName(string name)
    \qmlmethod TexturePackerSprite::setTo(var to)
    \qmlmethod TexturePackerSprite::setFillMode(FillModes fillMode)
    \qmlmethod TexturePackerSprite::setFrameRate(real frameRate)
    \qmlmethod TexturePackerSprite::setLoops(int loops)
    \qmlmethod TexturePackerSprite::setRunning(bool running)
    \qmlmethod TexturePackerSprite::setPaused(bool paused)
    \qmlmethod TexturePackerSprite::setCurrentFrame(int currentFrame)
    \qmlmethod TexturePackerSprite::setReverse(bool reverse)
    \qmlmethod TexturePackerSprite::setInterpolate(bool interpolate)
    Setters of the properties of the same names, the same as assigning them.
    They take \a frameNames, \a source, \a name, \a to, \a fillMode,
    \a frameRate, \a loops, \a running, \a paused, \a currentFrame,
    \a reverse or \a interpolate.
*/

/*!
    \qmlmethod list<string> TexturePackerSprite::getFrameNames()
    \qmlmethod url TexturePackerSprite::getSource()
    \qmlmethod string TexturePackerSprite::getName()
    \qmlmethod var TexturePackerSprite::getTo()
    \qmlmethod FillModes TexturePackerSprite::getFillMode()
    \qmlmethod real TexturePackerSprite::getTextureScale()
    \qmlmethod real TexturePackerSprite::getFrameRate()
    \qmlmethod int TexturePackerSprite::getLoops()
    \qmlmethod bool TexturePackerSprite::getRunning()
    \qmlmethod bool TexturePackerSprite::getPaused()
    \qmlmethod int TexturePackerSprite::getCurrentFrame()
    \qmlmethod bool TexturePackerSprite::getReverse()
    \qmlmethod bool TexturePackerSprite::getInterpolate()
    Getters: each returns the value of the property of the same name.
*/

/*!
    \qmlmethod TexturePackerSprite::setWidthScaled(real width)
    \qmlmethod TexturePackerSprite::setHeightScaled(real height)
    Set the item's size from a size in scene units, \a width or \a height
    (divided by \l textureScale).
*/

/*!
    \qmlmethod real TexturePackerSprite::getWidthScaled()
    \qmlmethod real TexturePackerSprite::getHeightScaled()
    Return the item's size in scene units (multiplied by \l textureScale).
*/

/*!
    \qmlmethod bool TexturePackerSprite::widthExplicitlySet()
    \qmlmethod bool TexturePackerSprite::heightExplicitlySet()
    Return whether the item's width or height was set, rather than taken from
    the frame.
*/

namespace {

// Textures by the context they live in and the image they show. A texture
// only exists in the context it was created in, so each context gets its own.
struct CachedTexture
{
    QPointer<QSGTexture> texture;
    QPointer<QOpenGLContext> context;
};
using TextureKey = QPair<QOpenGLContext *, QString>;

QHash<TextureKey, CachedTexture> &textures()
{
    static QHash<TextureKey, CachedTexture> cache;
    return cache;
}

// Bumped whenever cached textures go away. Every sprite compares it at its
// next paint and drops a node that may still refer to a released texture.
quint64 s_textureGeneration = 0;

// Releases the textures of a scene graph that is being torn down, while its
// context is still current, so their ids are freed in the right context.
class TextureCacheJanitor : public QObject
{
public:
    static TextureCacheJanitor *instance()
    {
        static TextureCacheJanitor janitor;
        return &janitor;
    }

    void watch(QQuickWindow *window)
    {
        connect(window, &QQuickWindow::sceneGraphInvalidated, this, &TextureCacheJanitor::release,
                Qt::UniqueConnection);
    }

    void release()
    {
        QOpenGLContext *current = QOpenGLContext::currentContext();
        auto &cache = textures();
        for (auto it = cache.begin(); it != cache.end();) {
            if (it->context.isNull() || it->context == current) {
                delete it->texture.data();
                it = cache.erase(it);
            } else {
                ++it;
            }
        }
        ++s_textureGeneration;
    }
};

quint64 cacheGeneration()
{
    return s_textureGeneration + TexturePackerSheetCache::generation();
}

} // namespace

TexturePackerSprite::TexturePackerSprite(QQuickItem *parent)
    : QQuickItem(parent)
{
    setFlag(ItemHasContents, true);
    setObjectName(QStringLiteral("texturePackerSprite"));
    m_sheetGeneration = TexturePackerSheetCache::generation();

    connect(this, &QQuickItem::widthChanged, this, &TexturePackerSprite::markDirty);
    connect(this, &QQuickItem::heightChanged, this, &TexturePackerSprite::markDirty);
    connect(this, &TexturePackerSprite::fillModeChanged, this, &TexturePackerSprite::markDirty);
    connect(this, &QQuickItem::scaleChanged, this, &TexturePackerSprite::markDirty);
    connect(this, &QQuickItem::smoothChanged, this, &TexturePackerSprite::updateSmooth);
    connect(&m_machine, &CircularStateMachine::currentStateChanged, this, &TexturePackerSprite::currentStateChanged);
    connect(&m_machine, &CircularStateMachine::stateRateChanged, this, &TexturePackerSprite::frameRateChanged);
    connect(&m_machine, &CircularStateMachine::loopsChanged, this, &TexturePackerSprite::loopsChanged);
    connect(&m_machine, &CircularStateMachine::loopFinished, this, &TexturePackerSprite::loopFinished);
    connect(&m_machine, &CircularStateMachine::runningChanged, this, &TexturePackerSprite::runningChanged);
    connect(&m_machine, &CircularStateMachine::pausedChanged, this, &TexturePackerSprite::pausedChanged);
    connect(&m_machine, &CircularStateMachine::reverseChanged, this, &TexturePackerSprite::reverseChanged);
    connect(this, &QQuickItem::windowChanged, this, &TexturePackerSprite::onWindowChanged);

    m_machine.setStateRate(1.0f);
    // Created with a parent item, it was put into a window before the
    // connection above existed.
    if (window())
        onWindowChanged(window());
}

TexturePackerSprite::~TexturePackerSprite()
{
    // The base destructor leaves the window and announces it: by then this
    // object is no longer a TexturePackerSprite and must not be called back.
    disconnect(this, nullptr, this, nullptr);
    leaveClock();
}

bool TexturePackerSprite::widthExplicitlySet() const
{
    return widthValid();
}

bool TexturePackerSprite::heightExplicitlySet() const
{
    return heightValid();
}

bool TexturePackerSprite::pauseForGame()
{
    if (!m_machine.running() || m_machine.paused())
        return false;
    m_machine.pause();
    return true;
}

void TexturePackerSprite::resumeForGame()
{
    m_machine.resume();
}

void TexturePackerSprite::start() { m_machine.start(); }
void TexturePackerSprite::stop() { m_machine.stop(); }
void TexturePackerSprite::restart() { m_machine.restart(); }
void TexturePackerSprite::pause() { m_machine.pause(); }
void TexturePackerSprite::resume() { m_machine.resume(); }
void TexturePackerSprite::advance() { m_machine.stepOnce(); }

void TexturePackerSprite::clearCache()
{
    auto &cache = textures();
    for (const CachedTexture &entry : qAsConst(cache)) {
        // A texture whose context is gone went with it; deleting the wrapper
        // now would free the same texture name in whatever context is current.
        if (entry.texture && entry.context)
            entry.texture->deleteLater();
    }
    cache.clear();
    ++s_textureGeneration;
    TexturePackerSheetCache::clear();
    m_cacheCleared = true;
    markDirty();
}

void TexturePackerSprite::setFrameNames(const QStringList &frameNames)
{
    if (frameNames == m_frameNames)
        return;
    m_frameNames = frameNames;
    resolveFrames();
    m_machine.setNumStates(m_frameNames.size());
    warnAboutMissingFrames();
    markDirty();
    emit frameNamesChanged();
}

void TexturePackerSprite::setSource(const QUrl &source)
{
    if (source == m_source)
        return;
    m_source = source;
    m_sheet = source.isEmpty() ? TexturePackerSheetCache::SheetPointer() : TexturePackerSheetCache::load(source);
    resolveFrames();
    m_sheetGeneration = TexturePackerSheetCache::generation();

    if (!m_sheet) {
        qWarning("Warning: TexturePackerSprite could not read \"%s\".", m_source.toString().toLatin1().constData());
    } else {
        if (m_sheet->frames.isEmpty())
            qWarning("Warning: TexturePackerSprite could not read the frame information in \"%s\".",
                     m_source.toString().toLatin1().constData());
        // The names may have been given before the sheet; check them against it.
        warnAboutMissingFrames();
    }

    m_textureNeedsReload = true;
    const double scale = m_sheet ? double(m_sheet->textureScale) : 0.0;
    if (scale != m_textureScale) {
        m_textureScale = scale;
        emit textureScaleChanged();
    }
    markDirty();
    emit sourceChanged();
}

void TexturePackerSprite::setName(const QString &name)
{
    if (name == m_name)
        return;
    m_name = name;
    emit nameChanged();
}

void TexturePackerSprite::setTo(const QVariantMap &to)
{
    if (to == m_to)
        return;
    m_to = to;
    emit toChanged();
}

void TexturePackerSprite::setFillMode(FillModes fillMode)
{
    if (fillMode == m_fillMode)
        return;
    m_fillMode = fillMode;
    emit fillModeChanged();
}

void TexturePackerSprite::setFrameRate(float frameRate) { m_machine.setStateRate(frameRate); }
void TexturePackerSprite::setLoops(int loops) { m_machine.setLoops(loops); }
void TexturePackerSprite::setRunning(bool running) { m_machine.setRunning(running); }
void TexturePackerSprite::setPaused(bool paused) { m_machine.setPaused(paused); }
void TexturePackerSprite::setCurrentFrame(int currentFrame) { m_machine.setCurrentState(currentFrame); }
void TexturePackerSprite::setReverse(bool reverse) { m_machine.setReverse(reverse); }

void TexturePackerSprite::setInterpolate(bool interpolate)
{
    if (interpolate == m_interpolate)
        return;
    m_interpolate = interpolate;
    markDirty();
    emit interpolateChanged();
}

void TexturePackerSprite::setWidthScaled(double width)
{
    // Without a sheet there is no scale to divide by and nothing to draw.
    if (m_textureScale > 0.0 && std::isfinite(width))
        setWidth(width / m_textureScale);
}

void TexturePackerSprite::setHeightScaled(double height)
{
    if (m_textureScale > 0.0 && std::isfinite(height))
        setHeight(height / m_textureScale);
}

// An implicit size is already in scene units (frame size x textureScale);
// only an explicit one is kept in sheet pixels.
double TexturePackerSprite::getWidthScaled() const
{
    return widthValid() ? width() * m_textureScale : width();
}

double TexturePackerSprite::getHeightScaled() const
{
    return heightValid() ? height() * m_textureScale : height();
}

void TexturePackerSprite::currentStateChanged()
{
    markDirty();
    emit currentFrameChanged();
}

void TexturePackerSprite::markDirty()
{
    m_dirty = true;
    // Known at once rather than after the next frame, so layouts settle early.
    updateItemSize();
    update();
}

void TexturePackerSprite::updateSmooth(bool)
{
    // The filtering is part of the material and applied when it is bound.
    markDirty();
}

void TexturePackerSprite::onWindowChanged(QQuickWindow *window)
{
    leaveClock();
    if (!window) {
        // The old window's scene graph deleted the node; a new window gets a
        // new node and a texture of its own context.
        m_nodeBuilt = false;
        m_dirty = true;
        m_textureNeedsReload = true;
        return;
    }
    TextureCacheJanitor::instance()->watch(window);
    m_clock = TexturePackerSpriteClock::forWindow(window);
    m_clock->add(this);
}

void TexturePackerSprite::leaveClock()
{
    if (m_clock)
        m_clock->remove(this);
    m_clock = nullptr;
}

bool TexturePackerSprite::advanceFrameClock()
{
    // The clock runs while the sprite has a node, hidden or not, as it did
    // when every paint advanced it (the scene graph paints hidden items too).
    if (!m_nodeBuilt)
        return false;
    if (m_nodeGeneration != cacheGeneration()) {
        update(); // the paint drops the node that refers to released textures
        return true;
    }
    // A frame change asks for a repaint by itself; the blend toward the next
    // frame moves on with every frame of time.
    if (m_interpolate)
        update();
    // Nearest sampling only while it draws what linear sampling would: an
    // ancestor moved by a fraction of a pixel, scaled or turned, needs linear
    // sampling again without anything of the sprite's own having changed.
    if (m_texelPerPixel && smooth() && texelsOnWholePixels() != m_sampledNearest) {
        m_dirty = true;
        update();
    }
    // Last: a handler of a frame signal may delete this sprite.
    m_machine.updateTime();
    return true;
}

const TexturePackerFrame *TexturePackerSprite::frameAt(int index) const
{
    // An index beyond a shortened list is a missing frame, never a bad read.
    return index >= 0 && index < m_frames.size() ? m_frames.at(index) : nullptr;
}

void TexturePackerSprite::resolveFrames()
{
    m_frames.clear();
    if (!m_sheet)
        return;
    // The records stay where they are: a sheet is never changed once shared.
    m_frames.reserve(m_frameNames.size());
    for (const QString &name : qAsConst(m_frameNames)) {
        auto it = m_sheet->frames.constFind(name);
        m_frames.append(it == m_sheet->frames.constEnd() ? nullptr : &it.value());
    }
}

void TexturePackerSprite::refreshSheet()
{
    // After a cache clear, a sprite still in use reads its sheet again
    // instead of going blank until its source changes.
    if (m_sheetGeneration == TexturePackerSheetCache::generation())
        return;
    m_sheetGeneration = TexturePackerSheetCache::generation();
    m_sheet = m_source.isEmpty() ? TexturePackerSheetCache::SheetPointer() : TexturePackerSheetCache::load(m_source);
    resolveFrames();
}

void TexturePackerSprite::warnAboutMissingFrames() const
{
    if (!m_sheet || m_frameNames.isEmpty())
        return;
    for (const QString &frameName : m_frameNames) {
        if (!m_sheet->frames.contains(frameName))
            qWarning("Warning: TexturePackerSprite has no information for the frame \"%s\" in the current source file \"%s\".",
                     frameName.toLatin1().constData(), m_source.toString().toLatin1().constData());
    }
}

void TexturePackerSprite::updateItemSize()
{
    if (!m_sheet || m_frameNames.isEmpty())
        return;
    const TexturePackerFrame *frame = frameAt(m_machine.currentState());
    const double w = frame ? frame->sourceSize.width() : -1.0;
    const double h = frame ? frame->sourceSize.height() : -1.0;
    const double scale = m_textureScale;
    const double implicitW = w * scale;
    const double implicitH = h * scale;

    if (m_fillMode != PreserveAspectFit) {
        setImplicitSize(implicitW, implicitH);
        return;
    }

    // Everything in scene units: an explicit size is kept in sheet pixels.
    const double W = widthValid() ? width() * scale : implicitW;
    const double H = heightValid() ? height() * scale : implicitH;
    const double sx = implicitW != 0.0 ? W / implicitW : 0.0;
    const double sy = implicitH != 0.0 ? H / implicitH : 0.0;
    if (sy >= sx) {
        m_drawWidth = W;
        m_drawHeight = implicitH * sx;
    } else {
        m_drawWidth = implicitW * sy;
        m_drawHeight = H;
    }
    const bool onlyHeight = heightValid() && !widthValid();
    const bool onlyWidth = widthValid() && !heightValid();
    setImplicitSize(onlyHeight ? m_drawWidth : implicitW, onlyWidth ? m_drawHeight : implicitH);
}

namespace {

// Position and texture coordinate lead both vertex layouts.
float *vertexAt(QSGGeometry *geometry, int index)
{
    return reinterpret_cast<float *>(static_cast<char *>(geometry->vertexData()) + index * geometry->sizeOfVertex());
}

QSGGeometry *newGeometry(bool interpolating)
{
    auto *geometry = new QSGGeometry(TexturePackerSpriteMaterial::attributes(interpolating), 4, 6,
                                     QSGGeometry::UnsignedShortType);
    geometry->setDrawingMode(QSGGeometry::DrawTriangles);
    const quint16 order[6] = {0, 1, 2, 1, 3, 2};
    std::copy(order, order + 6, geometry->indexDataAsUShort());
    // Frame at the origin, one whole texture in size, no progress.
    if (interpolating) {
        auto *v = static_cast<TexturePackerSpriteMaterial::InterpolatingVertex *>(geometry->vertexData());
        for (int i = 0; i < 4; ++i)
            v[i] = TexturePackerSpriteMaterial::InterpolatingVertex{0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0};
    } else {
        auto *v = static_cast<TexturePackerSpriteMaterial::Vertex *>(geometry->vertexData());
        for (int i = 0; i < 4; ++i)
            v[i] = TexturePackerSpriteMaterial::Vertex{0, 0, 0, 0};
    }
    return geometry;
}

} // namespace

void TexturePackerSprite::updateVertices()
{
    if (!m_node || m_frameNames.isEmpty())
        return;

    int quadW;
    int quadH;
    if (m_fillMode == PreserveAspectFit) {
        quadW = int(m_drawWidth);
        quadH = int(m_drawHeight);
    } else {
        quadW = int(widthValid() || implicitWidth() == 0.0 ? width() * m_textureScale : implicitWidth());
        quadH = int(heightValid() || implicitHeight() == 0.0 ? height() * m_textureScale : implicitHeight());
    }

    float left = 0, right = 0, top = 0, bottom = 0;
    const TexturePackerFrame *frame = frameAt(m_machine.currentState());
    // Without a texture, a frame, a usable source size or a sheet size the
    // quad collapses: nothing is drawn and nothing is divided by zero.
    const bool drawable = frame && m_material && m_material->texture() && m_sheet
                          && m_sheet->size.width() > 0 && m_sheet->size.height() > 0
                          && frame->sourceSize.width() > 0 && frame->sourceSize.height() > 0;
    m_texelPerPixel = drawable && quadW == frame->sourceSize.width() && quadH == frame->sourceSize.height();
    if (drawable) {
        const QRect &r = frame->spriteSourceRect;
        const double sw = frame->sourceSize.width();
        const double sh = frame->sourceSize.height();
        left = float(quadW * r.x() / sw);
        right = float(quadW * (r.x() + r.width()) / sw);
        top = float(quadH * r.y() / sh);
        bottom = float(quadH * (r.y() + r.height()) / sh);
    }

    const float xs[4] = {left, right, left, right};
    const float ys[4] = {top, top, bottom, bottom};
    bool changed = false;
    for (int i = 0; i < 4; ++i) {
        float *v = vertexAt(m_node->geometry(), i);
        if (v[0] != xs[i] || v[1] != ys[i]) {
            v[0] = xs[i];
            v[1] = ys[i];
            changed = true;
        }
    }
    if (changed)
        m_node->markDirty(QSGNode::DirtyGeometry);
}

void TexturePackerSprite::updateTextureCoordinates(bool force)
{
    // Written even while there are no frame names yet: a node built then would
    // otherwise keep collapsed coordinates, and a frame named later would be
    // drawn as one filtered texel.
    if (!m_node)
        return;
    const TexturePackerFrame *frame = frameAt(m_machine.currentState());
    const bool rotated = frame && frame->rotated;
    if (!force && rotated == m_currentFrameRotated)
        return;
    m_currentFrameRotated = rotated;

    const QRectF sub = m_material && m_material->texture() ? m_material->texture()->normalizedTextureSubRect()
                                                           : QRectF(0, 0, 1, 1);
    const float l = float(sub.left()), t = float(sub.top()), r = float(sub.right()), b = float(sub.bottom());
    // A rotated frame lies turned clockwise in the sheet: the upright top-left
    // corner is the stored area's top-right one.
    const float upright[8] = {l, t, r, t, l, b, r, b};
    const float turned[8] = {r, t, r, b, l, t, l, b};
    std::copy(rotated ? turned : upright, (rotated ? turned : upright) + 8, m_corners);
    // Without interpolation the corners are folded into the frame's
    // coordinates, written with the frame.
    if (!interpolatingLayout())
        return;
    for (int i = 0; i < 4; ++i) {
        float *v = vertexAt(m_node->geometry(), i);
        v[2] = m_corners[2 * i];
        v[3] = m_corners[2 * i + 1];
    }
    m_node->markDirty(QSGNode::DirtyGeometry);
}

bool TexturePackerSprite::interpolatingLayout() const
{
    return m_node->geometry()->attributeCount() > 2;
}

void TexturePackerSprite::updateMaterial()
{
    if (!m_material || m_frameNames.isEmpty())
        return;
    const QSGTexture::Filtering filtering = this->filtering();
    m_sampledNearest = filtering == QSGTexture::Nearest;
    if (m_material->filtering() != filtering || m_material->interpolating() != m_interpolate) {
        m_material->setFiltering(filtering);
        m_material->setInterpolating(m_interpolate);
        m_node->markDirty(QSGNode::DirtyMaterial);
    }

    // Frame x, y, next frame x, y, frame width, height, progress.
    float anim[7] = {0, 0, 0, 0, 0, 0, 0};
    const double sheetW = m_sheet ? m_sheet->size.width() : 0;
    const double sheetH = m_sheet ? m_sheet->size.height() : 0;
    // Without a sheet size the quad is collapsed already; the lookup stays finite.
    if (sheetW > 0 && sheetH > 0) {
        const TexturePackerFrame *frame = frameAt(m_machine.currentState());
        const QRect r = frame ? frame->frame : QRect();
        double w = r.width();
        double h = r.height();
        // The frame's size is upright; its stored area is turned.
        if (frame && frame->rotated)
            std::swap(w, h);
        anim[0] = anim[2] = float(r.x() / sheetW);
        anim[1] = anim[3] = float(r.y() / sheetH);
        anim[4] = float(w / sheetW);
        anim[5] = float(h / sheetH);
        if (m_interpolate) {
            const TexturePackerFrame *next = frameAt(m_machine.nextState());
            const QPoint p = next ? next->frame.topLeft() : QPoint();
            anim[2] = float(p.x() / sheetW);
            anim[3] = float(p.y() / sheetH);
            anim[6] = m_machine.progress();
        }
    }
    setAnimation(anim);
}

QSGTexture::Filtering TexturePackerSprite::filtering() const
{
    // Sampling one texel instead of blending four is much of the cost of a
    // pixel where pixels are filled in software.
    return !smooth() || (m_texelPerPixel && texelsOnWholePixels()) ? QSGTexture::Nearest : QSGTexture::Linear;
}

bool TexturePackerSprite::texelsOnWholePixels() const
{
    QQuickWindow *win = window();
    if (!win || win->effectiveDevicePixelRatio() != 1.0)
        return false;
    bool ok = false;
    const QTransform t = itemTransform(nullptr, &ok);
    if (!ok || t.type() > QTransform::TxTranslate)
        return false;
    // Linear sampling a fraction this small away from a texel's centre
    // rounds to that texel's colour.
    const auto whole = [](qreal v) { return std::abs(v - std::round(v)) < 1.0 / 1024; };
    return whole(t.dx()) && whole(t.dy());
}

void TexturePackerSprite::setAnimation(const float anim[7])
{
    // Rewritten, and so uploaded again, only when something changed.
    if (!interpolatingLayout()) {
        bool changed = false;
        for (int i = 0; i < 4; ++i) {
            float *v = vertexAt(m_node->geometry(), i);
            const float tx = anim[0] + m_corners[2 * i] * anim[4];
            const float ty = anim[1] + m_corners[2 * i + 1] * anim[5];
            if (v[2] != tx || v[3] != ty) {
                v[2] = tx;
                v[3] = ty;
                changed = true;
            }
        }
        if (changed)
            m_node->markDirty(QSGNode::DirtyGeometry);
        return;
    }
    auto *v = static_cast<TexturePackerSpriteMaterial::InterpolatingVertex *>(m_node->geometry()->vertexData());
    if (std::equal(anim, anim + 7, &v[0].ax) && std::equal(anim, anim + 7, &v[3].ax))
        return;
    for (int i = 0; i < 4; ++i)
        std::copy(anim, anim + 7, &v[i].ax);
    m_node->markDirty(QSGNode::DirtyGeometry);
}

QSGGeometryNode *TexturePackerSprite::buildNode()
{
    refreshSheet();
    if (m_source.isEmpty() || !m_sheet || m_sheet->imagePath.isEmpty())
        return nullptr;

    m_material = new TexturePackerSpriteMaterial;

    m_node = new QSGGeometryNode;
    m_node->setGeometry(newGeometry(m_interpolate));
    m_node->setFlag(QSGNode::OwnsGeometry);
    m_node->setMaterial(m_material);
    m_node->setFlag(QSGNode::OwnsMaterial);

    loadTexture();
    updateItemSize();
    updateTextureCoordinates(true);
    updateVertices();
    m_nodeBuilt = true;
    m_nodeGeneration = cacheGeneration();
    return m_node;
}

void TexturePackerSprite::loadTexture()
{
    QSGTexture *texture = nullptr;
    QQuickWindow *win = window();
    QOpenGLContext *context = win ? win->openglContext() : nullptr;
    if (m_sheet) {
        const TextureKey key(context, m_sheet->imagePath);
        auto &cache = textures();
        auto it = cache.find(key);
        if (it != cache.end() && it->texture && it->context == context) {
            texture = it->texture;
        } else {
            const QImage image(m_sheet->imagePath);
            if (image.isNull()) {
                qWarning("Warning: TexturePackerSprite could not load the image \"%s\" specified in \"%s\".",
                         m_sheet->imagePath.toLatin1().constData(), m_source.toString().toLatin1().constData());
            } else if (m_material && win) {
                texture = win->createTextureFromImage(image, QQuickWindow::TextureHasAlphaChannel);
                if (texture)
                    cache.insert(key, CachedTexture{texture, context});
            }
        }
    }
    if (m_material) {
        m_material->setTexture(texture);
        m_material->setFiltering(filtering());
        if (m_node)
            m_node->markDirty(QSGNode::DirtyMaterial);
    }
    m_machine.restart();
    m_textureNeedsReload = false;
    // The quad may have been collapsed for want of a texture.
    m_dirty = true;
}

QSGNode *TexturePackerSprite::updatePaintNode(QSGNode *oldNode, UpdatePaintNodeData *)
{
    m_node = static_cast<QSGGeometryNode *>(oldNode);
    m_material = m_node ? static_cast<TexturePackerSpriteMaterial *>(m_node->material()) : nullptr;
    if (!m_node)
        m_nodeBuilt = false;

    const bool stale = m_node && m_nodeGeneration != cacheGeneration();
    if (m_cacheCleared || stale) {
        // The cached textures are gone or going: no node of ours may keep one.
        if (m_node) {
            m_material->setTexture(nullptr);
            delete m_node;
        }
        m_node = nullptr;
        m_material = nullptr;
        m_nodeBuilt = false;
        m_cacheCleared = false;
        m_textureNeedsReload = true;
        m_dirty = true;
        update(); // rebuilt at the next frame
        return nullptr;
    }

    const bool building = !m_node;
    if (building && !buildNode()) {
        qWarning("Warning: TexturePackerSprite could not create its render node.");
        m_node = nullptr;
        m_material = nullptr;
        return nullptr;
    }

    if (m_textureNeedsReload) {
        refreshSheet();
        loadTexture();
        // Another texture may cover another part of its storage.
        updateTextureCoordinates(true);
    }
    if (m_dirty) {
        // Interpolation needs more in each vertex than a plain frame does.
        const bool relayout = interpolatingLayout() != m_interpolate;
        if (relayout) {
            m_node->setGeometry(newGeometry(m_interpolate));
            m_node->markDirty(QSGNode::DirtyGeometry);
        }
        updateItemSize();
        updateTextureCoordinates(relayout);
        updateVertices();
    }
    if (m_dirty || m_interpolate) {
        updateMaterial();
        m_dirty = false;
    }

    // From now on the window's clock advances the frame clock and asks for
    // repaints; it starts with the next frame.
    if (building)
        update();
    QSGGeometryNode *node = m_node;
    m_node = nullptr;
    m_material = nullptr;
    return node;
}
