#ifndef CACHEDGLFUNCTIONCALL_H
#define CACHEDGLFUNCTIONCALL_H

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QVector>
#include <qopengl.h>

#include <vector>

class QOpenGLShaderProgram;
class QSGTexture;

// One vertex of a skeleton batch, 20 bytes as the textured program reads it.
struct SkeletonVertex
{
    float x, y;
    quint8 r, g, b, a;
    float u, v;
};
static_assert(sizeof(SkeletonVertex) == 20, "the vertex layout is fixed");

// An OpenGL call recorded while the skeleton is readable and replayed later
// on the current context, so drawing never touches the skeleton.
class ICachedGLFunctionCall
{
public:
    virtual ~ICachedGLFunctionCall() = default;
    virtual void invoke() = 0;
};

class BindShader : public ICachedGLFunctionCall
{
public:
    BindShader(QOpenGLShaderProgram *program, const QRectF &projection) : m_program(program), m_projection(projection) {}
    void invoke() override;

private:
    QOpenGLShaderProgram *m_program;
    QRectF m_projection;
};

class BlendFunction : public ICachedGLFunctionCall
{
public:
    BlendFunction(GLenum source, GLenum destination) : m_source(source), m_destination(destination) {}
    void invoke() override;
    GLenum source() const { return m_source; }
    GLenum destination() const { return m_destination; }

private:
    GLenum m_source, m_destination;
};

class DrawTrigngles : public ICachedGLFunctionCall
{
public:
    DrawTrigngles(QOpenGLShaderProgram *program, QSGTexture *texture, std::vector<SkeletonVertex> vertices,
                  std::vector<quint16> indices)
        : m_program(program), m_texture(texture), m_vertices(std::move(vertices)), m_indices(std::move(indices)) {}
    void invoke() override;
    int vertexCount() const { return int(m_vertices.size()); }
    int indexCount() const { return int(m_indices.size()); }

private:
    QOpenGLShaderProgram *m_program;
    QSGTexture *m_texture;
    std::vector<SkeletonVertex> m_vertices;
    std::vector<quint16> m_indices;
};

class DrawColor : public ICachedGLFunctionCall
{
public:
    DrawColor(QOpenGLShaderProgram *program, const QColor &color) : m_program(program), m_color(color) {}
    void invoke() override;

private:
    QOpenGLShaderProgram *m_program;
    QColor m_color;
};

class LineWidth : public ICachedGLFunctionCall
{
public:
    explicit LineWidth(float width) : m_width(width) {}
    void invoke() override;

private:
    float m_width;
};

class PointSize : public ICachedGLFunctionCall
{
public:
    explicit PointSize(float size) : m_size(size) {}
    void invoke() override;

private:
    float m_size;
};

// Lines, points and closed outlines in the flat-colour program.
class DrawPolygon : public ICachedGLFunctionCall
{
public:
    DrawPolygon(QOpenGLShaderProgram *program, const QVector<QPointF> &points) : DrawPolygon(program, points, GL_LINE_LOOP) {}
    void invoke() override;

protected:
    DrawPolygon(QOpenGLShaderProgram *program, const QVector<QPointF> &points, GLenum mode);

private:
    QOpenGLShaderProgram *m_program;
    std::vector<GLfloat> m_points;
    GLenum m_mode;
};

class DrawLine : public DrawPolygon
{
public:
    DrawLine(QOpenGLShaderProgram *program, QPointF from, QPointF to) : DrawPolygon(program, {from, to}, GL_LINES) {}
};

class DrawPoint : public DrawPolygon
{
public:
    DrawPoint(QOpenGLShaderProgram *program, QPointF point) : DrawPolygon(program, {point}, GL_POINTS) {}
};

#endif
