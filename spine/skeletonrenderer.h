#ifndef SKELETONRENDERER_H
#define SKELETONRENDERER_H

#include "spine/skeletondrawbatch.h"

#include <QHash>
#include <QPointer>
#include <QQuickFramebufferObject>

class QQuickWindow;
class QSGTexture;

// Records the skeleton's drawing while the GUI thread waits, and replays it
// into the item's framebuffer.
class SkeletonRenderer : public QQuickFramebufferObject::Renderer
{
public:
    SkeletonRenderer();
    ~SkeletonRenderer() override;

    const SkeletonDrawBatch &batch() const { return m_batch; }

protected:
    QOpenGLFramebufferObject *createFramebufferObject(const QSize &size) override;
    void synchronize(QQuickFramebufferObject *item) override;
    void render() override;

private:
    void clearTextures();

    SkeletonDrawBatch m_batch;
    QHash<QString, QSGTexture *> m_textures;
    QPointer<QQuickWindow> m_window;
};

#endif
