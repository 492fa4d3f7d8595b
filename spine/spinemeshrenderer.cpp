#include "spinemeshrenderer.h"

#include <QMatrix4x4>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QOpenGLShaderProgram>
#include <QOpenGLTexture>
#include <QQuickWindow>

namespace {

const char *kVertex = R"(
attribute highp vec2 a_position;
attribute highp vec2 a_texCoord;
uniform highp mat4 u_matrix;
varying highp vec2 v_texCoord;
void main() {
    v_texCoord = a_texCoord;
    gl_Position = u_matrix * vec4(a_position, 0.0, 1.0);
})";

// Textures hold straight alpha; the framebuffer is shown premultiplied.
const char *kFragment = R"(
uniform sampler2D u_texture;
uniform sampler2D u_texture2;
uniform lowp float u_blend;
varying highp vec2 v_texCoord;
void main() {
    lowp vec4 c = mix(texture2D(u_texture, v_texCoord), texture2D(u_texture2, v_texCoord), u_blend);
    gl_FragColor = vec4(c.rgb * c.a, c.a);
})";

std::unique_ptr<QOpenGLTexture> makeTexture(const QImage &image)
{
    auto texture = std::make_unique<QOpenGLTexture>(image, QOpenGLTexture::DontGenerateMipMaps);
    texture->setMinMagFilters(QOpenGLTexture::Linear, QOpenGLTexture::Linear);
    texture->setWrapMode(QOpenGLTexture::ClampToEdge);
    return texture;
}

} // namespace

SpineMeshRenderer::SpineMeshRenderer() = default;
SpineMeshRenderer::~SpineMeshRenderer() = default;

void SpineMeshRenderer::synchronize(QQuickFramebufferObject *quickItem)
{
    auto *item = static_cast<SpineMeshItem *>(quickItem);
    m_window = item->window();
    if (item->rendererNeedsMeshUpdate()) {
        const qint64 oldKey = m_mesh.image.cacheKey(), oldKey2 = m_mesh.image2.cacheKey();
        m_mesh = item->meshForRenderer();
        if (m_mesh.image.cacheKey() != oldKey || m_mesh.image2.cacheKey() != oldKey2)
            m_texturesStale = true;
        item->setRendererNeedsMeshUpdate(false);
    }
    m_projection = item->meshRect();
    m_blendingFactor = item->blendingFactor();
}

void SpineMeshRenderer::render()
{
    QOpenGLFunctions *gl = QOpenGLContext::currentContext()->functions();
    gl->glDisable(GL_DEPTH_TEST);
    gl->glClearColor(0, 0, 0, 0);
    gl->glClear(GL_COLOR_BUFFER_BIT);
    if (m_mesh.indices.isEmpty() || m_mesh.image.isNull() || m_projection.isEmpty()) {
        if (m_window)
            m_window->resetOpenGLState();
        return;
    }
    if (!m_program) {
        m_program = std::make_unique<QOpenGLShaderProgram>();
        m_program->addShaderFromSourceCode(QOpenGLShader::Vertex, kVertex);
        m_program->addShaderFromSourceCode(QOpenGLShader::Fragment, kFragment);
        if (!m_program->link())
            qWarning("SpineMeshRenderer WARNING: shader program failed: %s", qPrintable(m_program->log()));
    }
    if (m_texturesStale) {
        m_texture = makeTexture(m_mesh.image);
        m_texture2 = makeTexture(m_mesh.image2);
        m_texturesStale = false;
    }
    if (m_program->isLinked() && m_program->bind()) {
        QMatrix4x4 matrix;
        matrix.ortho(float(m_projection.left()), float(m_projection.right()), float(m_projection.bottom()),
                     float(m_projection.top()), -1, 1);
        m_program->setUniformValue("u_matrix", matrix);
        m_program->setUniformValue("u_texture", 0);
        m_program->setUniformValue("u_texture2", 1);
        m_program->setUniformValue("u_blend", qBound(0.0f, m_blendingFactor, 1.0f));
        m_texture->bind(0);
        m_texture2->bind(1);
        gl->glBindBuffer(GL_ARRAY_BUFFER, 0);
        gl->glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
        gl->glEnable(GL_BLEND);
        gl->glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
        const int position = m_program->attributeLocation("a_position");
        const int texCoord = m_program->attributeLocation("a_texCoord");
        m_program->enableAttributeArray(position);
        m_program->enableAttributeArray(texCoord);
        m_program->setAttributeArray(position, m_mesh.positions.constData(), 2);
        m_program->setAttributeArray(texCoord, m_mesh.texCoords.constData(), 2);
        gl->glDrawElements(GL_TRIANGLES, m_mesh.indices.size(), GL_UNSIGNED_SHORT, m_mesh.indices.constData());
        m_program->disableAttributeArray(position);
        m_program->disableAttributeArray(texCoord);
        gl->glActiveTexture(GL_TEXTURE0);
    }
    if (m_window)
        m_window->resetOpenGLState();
}
