#include "skeletonrenderer.h"

#include "spine/skeletonanimationfbo.h"
#include "spine/spineatlas.h"
#include "spine/spineskeleton.h"

#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QOpenGLFunctions>
#include <QQuickWindow>
#include <QSGTexture>

using namespace spine;

namespace {
const quint16 kQuadIndices[] = {0, 1, 2, 2, 3, 0};
}

SkeletonRenderer::SkeletonRenderer() = default;

SkeletonRenderer::~SkeletonRenderer()
{
    m_batch.clearCalls();
    clearTextures();
}

void SkeletonRenderer::clearTextures()
{
    qDeleteAll(m_textures);
    m_textures.clear();
}

QOpenGLFramebufferObject *SkeletonRenderer::createFramebufferObject(const QSize &size)
{
    QOpenGLFramebufferObjectFormat format;
    format.setAttachment(QOpenGLFramebufferObject::CombinedDepthStencil);
    return new QOpenGLFramebufferObject(size, format);
}

void SkeletonRenderer::synchronize(QQuickFramebufferObject *quickItem)
{
    auto *item = static_cast<SkeletonAnimationFbo *>(quickItem);
    m_window = item->window();
    m_batch.clearCalls();
    if (item->m_textureCacheStale) {
        clearTextures();
        item->m_textureCacheStale = false;
    }
    const QRectF box = item->boundingBox();
    if (!item->m_loaded)
        return;
    m_batch.setProjection(box);
    m_batch.bindTexturedShader();

    Skeleton &skeleton = *item->m_skeleton;
    std::vector<float> &world = item->m_worldVertices;
    std::vector<SkeletonVertex> vertices;
    bool firstSlot = true;
    bool additive = false;
    for (const Slot *slot : skeleton.drawOrder()) {
        const Attachment *attachment = slot->attachment;
        const float *uvs = nullptr;
        const quint16 *indices = nullptr;
        int indexCount = 0;
        const AtlasRegion *region = nullptr;
        float ar = 1, ag = 1, ab = 1, aa = 1;
        if (!attachment)
            continue;
        if (attachment->type == AttachmentType::Region) {
            const auto *quad = static_cast<const RegionAttachment *>(attachment);
            uvs = quad->uvs;
            indices = kQuadIndices;
            indexCount = 6;
            region = quad->region;
            ar = quad->r, ag = quad->g, ab = quad->b, aa = quad->a;
        } else if (attachment->type == AttachmentType::Mesh || attachment->type == AttachmentType::SkinnedMesh) {
            const auto *mesh = static_cast<const MeshBase *>(attachment);
            uvs = mesh->uvs.constData();
            indices = mesh->triangles.constData();
            indexCount = mesh->triangles.size();
            region = mesh->region;
            ar = mesh->r, ag = mesh->g, ab = mesh->b, aa = mesh->a;
        } else {
            continue;
        }
        // Pages without a picture were reported at loading.
        if (!region || !region->page || region->page->image.isNull() || indexCount == 0)
            continue;
        const int length = worldVerticesLength(attachment);
        if (world.size() < size_t(length))
            world.resize(size_t(length));
        computeWorldVertices(attachment, skeleton, *slot, world.data());

        if (firstSlot || slot->data->additive != additive) {
            m_batch.flush();
            additive = slot->data->additive;
            m_batch.record(new BlendFunction(GL_ONE, additive ? GL_ONE : GL_ONE_MINUS_SRC_ALPHA));
            firstSlot = false;
        }

        const float alpha = aa * skeleton.a * slot->a * 255;
        const float multiplier = item->m_premultipliedAlapha ? alpha : 255;
        const auto channel = [](float value) { return quint8(qBound(0.0f, value, 255.0f)); };
        const quint8 r = channel(skeleton.r * slot->r * ar * multiplier);
        const quint8 g = channel(skeleton.g * slot->g * ag * multiplier);
        const quint8 b = channel(skeleton.b * slot->b * ab * multiplier);
        const quint8 a = channel(alpha);

        QSGTexture *&texture = m_textures[region->page->name];
        if (!texture && m_window) {
            texture = m_window->createTextureFromImage(region->page->image, QQuickWindow::TextureHasMipmaps);
            texture->setFiltering(QSGTexture::Linear);
            texture->setMipmapFiltering(QSGTexture::Linear);
        }
        vertices.resize(size_t(length / 2));
        for (int i = 0; i < length / 2; ++i)
            vertices[size_t(i)] = {world[size_t(i * 2)], world[size_t(i * 2 + 1)], r, g, b, a, uvs[i * 2], uvs[i * 2 + 1]};
        m_batch.add(texture, vertices.data(), int(vertices.size()), indices, indexCount);
    }
    m_batch.flush();

    if (!item->m_debugSlots && !item->m_debugBones)
        return;
    m_batch.bindFlatShader();
    QOpenGLShaderProgram *flat = m_batch.flatProgram();
    if (item->m_debugSlots) {
        m_batch.record(new DrawColor(flat, QColor(0, 0, 255, 255)));
        m_batch.record(new LineWidth(1));
        float quad[8];
        for (const Slot *slot : skeleton.drawOrder()) {
            if (!slot->attachment || slot->attachment->type != AttachmentType::Region)
                continue;
            static_cast<const RegionAttachment *>(slot->attachment)->computeWorldVertices(*slot->bone, quad);
            m_batch.record(new DrawPolygon(flat, {{quad[0], quad[1]}, {quad[2], quad[3]}, {quad[4], quad[5]}, {quad[6], quad[7]}}));
        }
    }
    if (item->m_debugBones) {
        m_batch.record(new LineWidth(2));
        m_batch.record(new DrawColor(flat, QColor(255, 0, 0, 255)));
        for (const auto &bone : skeleton.bones()) {
            const float length = bone->data->length;
            const QPointF origin(bone->worldX, bone->worldY);
            m_batch.record(new DrawLine(flat, origin, origin + QPointF(length * bone->m00, length * bone->m10)));
        }
        m_batch.record(new PointSize(4));
        m_batch.record(new DrawColor(flat, QColor(0, 0, 255, 255)));
        bool root = true;
        for (const auto &bone : skeleton.bones()) {
            m_batch.record(new DrawPoint(flat, QPointF(bone->worldX, bone->worldY)));
            if (root)
                m_batch.record(new DrawColor(flat, QColor(0, 255, 0, 255)));
            root = false;
        }
    }
}

void SkeletonRenderer::render()
{
    QOpenGLFunctions *gl = QOpenGLContext::currentContext()->functions();
    gl->glDisable(GL_DEPTH_TEST);
    // Client-side arrays need no buffer bound.
    gl->glBindBuffer(GL_ARRAY_BUFFER, 0);
    gl->glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    gl->glClearColor(0, 0, 0, 0);
    gl->glClear(GL_COLOR_BUFFER_BIT);
    m_batch.replay();
    if (m_window)
        m_window->resetOpenGLState();
}
