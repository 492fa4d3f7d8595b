#ifndef GLOBALKEYFORWARDER_H
#define GLOBALKEYFORWARDER_H

#include <QObject>

class ZarnoQuickKeyEvent;

// Re-publishes key presses that reach a window's root item as pressed(event), so
// that a top-level game window, which cannot hold focus itself, still sees the
// keys no focused item took. A handler consumes a press by accepting the event.
class GlobalKeyForwarder : public QObject
{
    Q_OBJECT
public:
    explicit GlobalKeyForwarder(QObject *parent = nullptr);

    bool eventFilter(QObject *watched, QEvent *event) override;

signals:
    void pressed(ZarnoQuickKeyEvent *event);
};

#endif
