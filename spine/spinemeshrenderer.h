#ifndef SPINEMESHRENDERER_H
#define SPINEMESHRENDERER_H

#include "spine/spinemeshitem.h"

#include <QQuickFramebufferObject>

#include <memory>

class QOpenGLShaderProgram;
class QOpenGLTexture;

// Draws a SpineMeshItem's triangles, fading between its two pictures.
class SpineMeshRenderer : public QQuickFramebufferObject::Renderer
{
public:
    SpineMeshRenderer();
    ~SpineMeshRenderer() override;

protected:
    void synchronize(QQuickFramebufferObject *item) override;
    void render() override;

private:
    SpineMeshItem::Mesh m_mesh;
    QRectF m_projection;
    float m_blendingFactor = 0;
    std::unique_ptr<QOpenGLShaderProgram> m_program;
    std::unique_ptr<QOpenGLTexture> m_texture, m_texture2;
    bool m_texturesStale = true;
    QQuickWindow *m_window = nullptr;
};

#endif
