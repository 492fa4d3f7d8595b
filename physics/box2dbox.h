#ifndef BOX2DBOX_H
#define BOX2DBOX_H

#include "box2dfixture.h"

// A rectangle, optionally turned about its own centre.
class Box2DBox : public Box2DFixture
{
    Q_OBJECT
    Q_PROPERTY(qreal x READ x WRITE setX NOTIFY xChanged)
    Q_PROPERTY(qreal y READ y WRITE setY NOTIFY yChanged)
    Q_PROPERTY(qreal width READ width WRITE setWidth NOTIFY widthChanged)
    Q_PROPERTY(qreal height READ height WRITE setHeight NOTIFY heightChanged)
    Q_PROPERTY(qreal rotation READ rotation WRITE setRotation NOTIFY rotationChanged)

public:
    explicit Box2DBox(QObject *parent = nullptr);

    qreal x() const { return m_x; }
    void setX(qreal x);
    qreal y() const { return m_y; }
    void setY(qreal y);
    qreal width() const { return m_width; }
    void setWidth(qreal width);
    qreal height() const { return m_height; }
    void setHeight(qreal height);
    qreal rotation() const { return m_rotation; }
    void setRotation(qreal rotation);

signals:
    void xChanged();
    void yChanged();
    void widthChanged();
    void heightChanged();
    void rotationChanged();

protected:
    std::unique_ptr<b2Shape> createShape() override;

private:
    void setGeometry(qreal &field, qreal value, void (Box2DBox::*changed)());

    qreal m_x = 0;
    qreal m_y = 0;
    qreal m_width = 0;
    qreal m_height = 0;
    qreal m_rotation = 0;
};

#endif
