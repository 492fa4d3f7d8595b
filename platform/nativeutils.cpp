#include "nativeutils.h"

#include <QApplication>
#include <QDesktopServices>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QQmlContext>
#include <QQmlEngine>
#include <QUrlQuery>

#ifdef ZARNO_HAS_QT3DCORE
#include <Qt3DCore/QComponent>
#include <Qt3DCore/QEntity>
#endif

// Widgets dialogs abort the process without a QApplication; a host that only
// made a QGuiApplication gets a refusal instead.
static bool widgetsAvailable()
{
    if (qobject_cast<QApplication *>(QCoreApplication::instance()))
        return true;
    qWarning("NativeUtils WARNING: native dialogs need a QApplication, the dialog is not shown");
    return false;
}

NativeUtils::NativeUtils(QQmlEngine *engine, QObject *parent)
    : QObject(parent)
    , m_engine(engine)
{
    m_displaySleepEnabled = false;
    emit displaySleepEnabledChanged(m_displaySleepEnabled);
    // Documents may read the value before any of them sets a style.
    setStatusBarStyle(StatusBarStyleHidden);
}

void NativeUtils::setDisplaySleepEnabled(bool enabled)
{
    if (m_displaySleepEnabled == enabled)
        return;
    m_displaySleepEnabled = enabled;
    emit displaySleepEnabledChanged(enabled);
}

void NativeUtils::displayTextInput(const QString &title, const QString &description,
                                   const QString &placeholder, const QString &text)
{
    if (!widgetsAvailable()) {
        emit textInputFinished(false, QString());
        return;
    }
    bool accepted = false;
    // The placeholder is offered as editable text: the desktop dialog has no hint line.
    const QString entered = QInputDialog::getText(nullptr, title, description, QLineEdit::Normal,
                                                  text.isEmpty() ? placeholder : text, &accepted);
    emit textInputFinished(accepted, entered);
}

void NativeUtils::displayMessageBox(const QString &title, const QString &description, int buttons)
{
    if (!widgetsAvailable()) {
        emit messageBoxFinished(false);
        return;
    }
    QMessageBox box;
    box.setText(title);
    box.setInformativeText(description);
    box.setStandardButtons((buttons & 2) ? (QMessageBox::Ok | QMessageBox::Cancel) : QMessageBox::Ok);
    // With a lone OK button Qt makes it the escape button too, so closing the box
    // any way accepts; with OK and Cancel, Escape and the close button cancel.
    const int result = box.exec();
    emit messageBoxFinished(result != QMessageBox::Cancel);
}

void NativeUtils::openUrl(const QString &urlString)
{
    QDesktopServices::openUrl(QUrl(urlString, QUrl::TolerantMode));
}

void NativeUtils::sendEmail(const QString &to, const QString &subject, const QString &message)
{
    // The recipient is only ever the address part: a "?" or "#" in it must not
    // smuggle extra header fields or a fragment into the mail.
    QUrl url;
    url.setScheme(QStringLiteral("mailto"));
    url.setPath(to, QUrl::TolerantMode);

    QUrlQuery query;
    // Fully encoded values keep "&", "=", "+" and "#" in the text from splitting
    // or cutting the query.
    if (!subject.isEmpty())
        query.addQueryItem(QStringLiteral("subject"), QString::fromLatin1(QUrl::toPercentEncoding(subject)));
    if (!message.isEmpty())
        query.addQueryItem(QStringLiteral("body"), QString::fromLatin1(QUrl::toPercentEncoding(message)));
    if (!query.isEmpty())
        url.setQuery(query);

    QDesktopServices::openUrl(url);
}

void NativeUtils::clearComponentCache()
{
    if (m_engine)
        m_engine->clearComponentCache();
}

void NativeUtils::share(const QString &, const QUrl &)
{
}

void NativeUtils::setNewParent(QObject *child, QObject *newParent)
{
    if (!child) {
        qWarning("NativeUtils WARNING: setNewParent called without a child object");
        return;
    }
    // A parent below the child would close a loop in the object tree, which no
    // destructor ever gets out of.
    for (QObject *ancestor = newParent; ancestor; ancestor = ancestor->parent()) {
        if (ancestor == child) {
            qWarning("NativeUtils WARNING: setNewParent cannot make an object a child of itself or of its own descendant");
            return;
        }
    }

    child->setParent(newParent);
    if (!newParent) {
        child->deleteLater();
        return;
    }

#ifdef ZARNO_HAS_QT3DCORE
    // A 3D entity's components are registered with the scene the entity was in;
    // detaching and attaching them again registers them with the new one. The
    // entity's own components are also unparented in between so that
    // addComponent adopts them anew; shared ones stay with their owner.
    if (auto *entity = qobject_cast<Qt3DCore::QEntity *>(child)) {
        const Qt3DCore::QComponentVector components = entity->components();
        for (Qt3DCore::QComponent *component : components) {
            entity->removeComponent(component);
            if (component->parent() == entity)
                component->setParent(static_cast<Qt3DCore::QNode *>(nullptr));
            entity->addComponent(component);
        }
    }
#endif
}

void NativeUtils::setWindowColor(const QColor &)
{
}

void NativeUtils::setStatusBarStyle(NativeUtils::StatusBarStyle)
{
    if (m_engine)
        m_engine->rootContext()->setContextProperty(QStringLiteral("platformStatusBarVisible"), false);
}
