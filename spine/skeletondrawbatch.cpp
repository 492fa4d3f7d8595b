#include "skeletondrawbatch.h"

#include <QOpenGLShaderProgram>

namespace {

const char *kTexturedVertex = R"(
attribute highp vec2 a_position;
attribute lowp vec4 a_color;
attribute highp vec2 a_texCoord;
uniform highp mat4 u_matrix;
varying lowp vec4 v_color;
varying highp vec2 v_texCoord;
void main() {
    v_color = a_color;
    v_texCoord = a_texCoord;
    gl_Position = u_matrix * vec4(a_position, 0.0, 1.0);
})";

const char *kTexturedFragment = R"(
uniform sampler2D u_texture;
varying lowp vec4 v_color;
varying highp vec2 v_texCoord;
void main() {
    gl_FragColor = v_color * texture2D(u_texture, v_texCoord);
})";

const char *kFlatVertex = R"(
attribute highp vec2 a_position;
uniform highp mat4 u_matrix;
void main() {
    gl_Position = u_matrix * vec4(a_position, 0.0, 1.0);
})";

const char *kFlatFragment = R"(
uniform lowp vec4 u_color;
void main() {
    gl_FragColor = u_color;
})";

std::unique_ptr<QOpenGLShaderProgram> buildProgram(const char *vertex, const char *fragment)
{
    auto program = std::make_unique<QOpenGLShaderProgram>();
    if (!program->addShaderFromSourceCode(QOpenGLShader::Vertex, vertex)
        || !program->addShaderFromSourceCode(QOpenGLShader::Fragment, fragment) || !program->link())
        qWarning("SkeletonDrawBatch WARNING: shader program failed: %s", qPrintable(program->log()));
    return program;
}

} // namespace

SkeletonDrawBatch::SkeletonDrawBatch()
    : m_textured(buildProgram(kTexturedVertex, kTexturedFragment)),
      m_flat(buildProgram(kFlatVertex, kFlatFragment))
{
    m_vertices.reserve(kVertexCapacity);
    m_indices.reserve(kIndexCapacity);
}

SkeletonDrawBatch::~SkeletonDrawBatch() = default;

void SkeletonDrawBatch::clearCalls()
{
    m_calls.clear();
    m_vertices.clear();
    m_indices.clear();
    m_texture = nullptr;
}

void SkeletonDrawBatch::bindTexturedShader()
{
    record(new BindShader(m_textured.get(), m_projection));
}

void SkeletonDrawBatch::bindFlatShader()
{
    record(new BindShader(m_flat.get(), m_projection));
}

void SkeletonDrawBatch::add(QSGTexture *texture, const SkeletonVertex *vertices, int vertexCount,
                            const quint16 *indices, int indexCount)
{
    if (texture != m_texture || int(m_vertices.size()) + vertexCount > kVertexCapacity
        || int(m_indices.size()) + indexCount > kIndexCapacity)
        flush();
    m_texture = texture;
    const quint16 base = quint16(m_vertices.size());
    m_vertices.insert(m_vertices.end(), vertices, vertices + vertexCount);
    for (int i = 0; i < indexCount; ++i)
        m_indices.push_back(quint16(base + indices[i]));
}

void SkeletonDrawBatch::flush()
{
    if (!m_indices.empty())
        record(new DrawTrigngles(m_textured.get(), m_texture, m_vertices, m_indices));
    m_vertices.clear();
    m_indices.clear();
}

void SkeletonDrawBatch::replay()
{
    for (const auto &call : m_calls)
        call->invoke();
}
