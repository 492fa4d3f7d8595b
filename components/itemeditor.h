#ifndef ITEMEDITOR_H
#define ITEMEDITOR_H

#include <QColor>
#include <QPointer>
#include <QQmlComponent>
#include <QQuickItem>

// Root of the framework's runtime property editor. It only keeps the row
// delegates that the editor documents draw with and reads colour components
// for them; grouping, storage and layout live in the editor's QML.
class ItemEditor : public QQuickItem
{
    Q_OBJECT
    Q_PROPERTY(QQmlComponent *contentDelegate READ contentDelegate WRITE setContentDelegate NOTIFY contentDelegateChanged)
    Q_PROPERTY(QQmlComponent *groupDelegate READ groupDelegate WRITE setGroupDelegate NOTIFY groupDelegateChanged)
    Q_PROPERTY(QQmlComponent *boolDelegate READ boolDelegate WRITE setBoolDelegate NOTIFY boolDelegateChanged)
    Q_PROPERTY(QQmlComponent *numberDelegate READ numberDelegate WRITE setNumberDelegate NOTIFY numberDelegateChanged)
    Q_PROPERTY(QQmlComponent *stringDelegate READ stringDelegate WRITE setStringDelegate NOTIFY stringDelegateChanged)
    Q_PROPERTY(QQmlComponent *pointDelegate READ pointDelegate WRITE setPointDelegate NOTIFY pointDelegateChanged)
    Q_PROPERTY(QQmlComponent *colorDelegate READ colorDelegate WRITE setColorDelegate NOTIFY colorDelegateChanged)
    Q_PROPERTY(QQmlComponent *textureDelegate READ textureDelegate WRITE setTextureDelegate NOTIFY textureDelegateChanged)
    Q_PROPERTY(QQmlComponent *arrayDelegate READ arrayDelegate WRITE setArrayDelegate NOTIFY arrayDelegateChanged)

public:
    explicit ItemEditor(QQuickItem *parent = nullptr);

    QQmlComponent *contentDelegate() const { return m_contentDelegate; }
    void setContentDelegate(QQmlComponent *delegate);
    QQmlComponent *groupDelegate() const { return m_groupDelegate; }
    void setGroupDelegate(QQmlComponent *delegate);
    QQmlComponent *boolDelegate() const { return m_boolDelegate; }
    void setBoolDelegate(QQmlComponent *delegate);
    QQmlComponent *numberDelegate() const { return m_numberDelegate; }
    void setNumberDelegate(QQmlComponent *delegate);
    QQmlComponent *stringDelegate() const { return m_stringDelegate; }
    void setStringDelegate(QQmlComponent *delegate);
    QQmlComponent *pointDelegate() const { return m_pointDelegate; }
    void setPointDelegate(QQmlComponent *delegate);
    QQmlComponent *colorDelegate() const { return m_colorDelegate; }
    void setColorDelegate(QQmlComponent *delegate);
    QQmlComponent *textureDelegate() const { return m_textureDelegate; }
    void setTextureDelegate(QQmlComponent *delegate);
    QQmlComponent *arrayDelegate() const { return m_arrayDelegate; }
    void setArrayDelegate(QQmlComponent *delegate);

public slots:
    double readColorPropertyWithRed(const QColor &color) const { return color.redF(); }
    double readColorPropertyWithGreen(const QColor &color) const { return color.greenF(); }
    double readColorPropertyWithBlue(const QColor &color) const { return color.blueF(); }
    double readColorPropertyWithAlpha(const QColor &color) const { return color.alphaF(); }

signals:
    void contentDelegateChanged();
    void groupDelegateChanged();
    void boolDelegateChanged();
    void numberDelegateChanged();
    void stringDelegateChanged();
    void pointDelegateChanged();
    void colorDelegateChanged();
    void textureDelegateChanged();
    void arrayDelegateChanged();

private:
    // The components belong to the documents that declare them.
    QPointer<QQmlComponent> m_contentDelegate;
    QPointer<QQmlComponent> m_groupDelegate;
    QPointer<QQmlComponent> m_boolDelegate;
    QPointer<QQmlComponent> m_numberDelegate;
    QPointer<QQmlComponent> m_stringDelegate;
    QPointer<QQmlComponent> m_pointDelegate;
    QPointer<QQmlComponent> m_colorDelegate;
    QPointer<QQmlComponent> m_textureDelegate;
    QPointer<QQmlComponent> m_arrayDelegate;
};

#endif // ITEMEDITOR_H
