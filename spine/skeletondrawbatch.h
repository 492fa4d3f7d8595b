#ifndef SKELETONDRAWBATCH_H
#define SKELETONDRAWBATCH_H

#include "spine/cachedglfunctioncall.h"

#include <QRectF>

#include <memory>
#include <vector>

class QOpenGLShaderProgram;
class QSGTexture;

// Collects triangles that share a texture and records the calls that draw
// them; the recorded list is replayed when the framebuffer is rendered.
class SkeletonDrawBatch
{
public:
    static constexpr int kVertexCapacity = 2000;
    static constexpr int kIndexCapacity = 6000;

    SkeletonDrawBatch();
    ~SkeletonDrawBatch();

    void clearCalls();
    void setProjection(const QRectF &rect) { m_projection = rect; }
    void bindTexturedShader();
    void bindFlatShader();
    // Flushes first when the texture changes or the batch would overflow; an
    // attachment larger than the batch gets a batch of its own size.
    void add(QSGTexture *texture, const SkeletonVertex *vertices, int vertexCount, const quint16 *indices,
             int indexCount);
    void flush();
    void record(ICachedGLFunctionCall *call) { m_calls.emplace_back(call); }
    void replay();

    QOpenGLShaderProgram *flatProgram() const { return m_flat.get(); }
    const std::vector<std::unique_ptr<ICachedGLFunctionCall>> &calls() const { return m_calls; }

private:
    std::vector<std::unique_ptr<ICachedGLFunctionCall>> m_calls;
    std::vector<SkeletonVertex> m_vertices;
    std::vector<quint16> m_indices;
    QSGTexture *m_texture = nullptr;
    QRectF m_projection;
    std::unique_ptr<QOpenGLShaderProgram> m_textured;
    std::unique_ptr<QOpenGLShaderProgram> m_flat;
};

#endif
