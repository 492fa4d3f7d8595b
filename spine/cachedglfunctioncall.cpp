#include "cachedglfunctioncall.h"

#include <QMatrix4x4>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QOpenGLShaderProgram>
#include <QSGTexture>

namespace {
QOpenGLFunctions *gl()
{
    return QOpenGLContext::currentContext()->functions();
}
} // namespace

void BindShader::invoke()
{
    if (!m_program->isLinked() || !m_program->bind())
        return;
    QMatrix4x4 matrix;
    // Skeleton space has y up, as the framebuffer has.
    matrix.ortho(float(m_projection.left()), float(m_projection.right()), float(m_projection.top()),
                 float(m_projection.bottom()), -1, 1);
    m_program->setUniformValue("u_matrix", matrix);
    for (const char *name : {"a_position", "a_color", "a_texCoord"}) {
        const int location = m_program->attributeLocation(name);
        if (location >= 0)
            m_program->enableAttributeArray(location);
    }
}

void BlendFunction::invoke()
{
    if (m_source == GL_ONE && m_destination == GL_ZERO) {
        gl()->glDisable(GL_BLEND);
        return;
    }
    gl()->glEnable(GL_BLEND);
    gl()->glBlendFunc(m_source, m_destination);
}

void DrawTrigngles::invoke()
{
    if (m_indices.empty() || !m_program->isLinked())
        return;
    QOpenGLFunctions *f = gl();
    f->glActiveTexture(GL_TEXTURE0);
    if (m_texture)
        m_texture->bind();
    m_program->setUniformValue("u_texture", 0);
    const char *base = reinterpret_cast<const char *>(m_vertices.data());
    const GLsizei stride = sizeof(SkeletonVertex);
    f->glVertexAttribPointer(GLuint(m_program->attributeLocation("a_position")), 2, GL_FLOAT, GL_FALSE, stride, base);
    f->glVertexAttribPointer(GLuint(m_program->attributeLocation("a_color")), 4, GL_UNSIGNED_BYTE, GL_TRUE, stride,
                             base + 8);
    f->glVertexAttribPointer(GLuint(m_program->attributeLocation("a_texCoord")), 2, GL_FLOAT, GL_FALSE, stride,
                             base + 12);
    f->glDrawElements(GL_TRIANGLES, GLsizei(m_indices.size()), GL_UNSIGNED_SHORT, m_indices.data());
}

void DrawColor::invoke()
{
    if (m_program->isLinked())
        m_program->setUniformValue("u_color", m_color);
}

void LineWidth::invoke()
{
    gl()->glLineWidth(m_width);
}

void PointSize::invoke()
{
    // Not part of the ES 2 function set; desktop contexts have it.
    using PointSizeFunction = void (*)(GLfloat);
    auto pointSize = reinterpret_cast<PointSizeFunction>(QOpenGLContext::currentContext()->getProcAddress("glPointSize"));
    if (pointSize)
        pointSize(m_size);
}

DrawPolygon::DrawPolygon(QOpenGLShaderProgram *program, const QVector<QPointF> &points, GLenum mode)
    : m_program(program), m_mode(mode)
{
    m_points.reserve(size_t(points.size()) * 2);
    for (const QPointF &p : points) {
        m_points.push_back(GLfloat(p.x()));
        m_points.push_back(GLfloat(p.y()));
    }
}

void DrawPolygon::invoke()
{
    if (m_points.empty() || !m_program->isLinked())
        return;
    gl()->glVertexAttribPointer(GLuint(m_program->attributeLocation("a_position")), 2, GL_FLOAT, GL_FALSE, 0,
                                m_points.data());
    gl()->glDrawArrays(m_mode, 0, GLsizei(m_points.size() / 2));
}
