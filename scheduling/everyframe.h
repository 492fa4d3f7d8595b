#ifndef EVERYFRAME_H
#define EVERYFRAME_H

#include <QQuickItem>

// Emits update(dt) with the wall-clock seconds between two frames its window presented.
class EveryFrame : public QQuickItem
{
    Q_OBJECT
public:
    explicit EveryFrame(QQuickItem *parent = nullptr);
    ~EveryFrame() override;

signals:
    void update(double dt);

private slots:
    void onWindowChanged();
    void onFrameSwapped();

private:
    QMetaObject::Connection m_frameConnection;
    qint64 m_previousFrameTime = 0;
};

#endif
