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

/*!
    \qmltype NativeUtils
    \inqmlmodule Zarno
    \instantiates NativeUtils
    \brief Native dialogs and desktop services: message box, text input, URLs, e-mail.

    One instance exists, the context object \c nativeUtils; QML cannot create
    another. The dialogs are modal: the call returns when the dialog closes,
    and the answer arrives through a signal. Timers and the step driver keep
    running meanwhile; pause the game yourself (System::pauseGameForObject())
    if it must not go on. The mobile-only hooks do nothing on the desktop.

    \qml
    Item {
        Connections {
            target: nativeUtils
            function onTextInputFinished(accepted, enteredText) {
                if (accepted) playerName = enteredText
            }
        }
        Component.onCompleted: nativeUtils.displayTextInput("Name", "Your name:", "Player")
    }
    \endqml
*/

/*!
    \qmlproperty bool NativeUtils::displaySleepEnabled
    Whether the display may sleep while the game runs; stored only, it has no
    effect on the desktop. Starts false.
*/

/*!
    \qmlmethod NativeUtils::setNewParent(QtObject child, QtObject newParent)
    Makes \a newParent the parent of \a child; with no new parent the child is
    deleted at the next turn of the event loop.
*/

/*!
    \qmlmethod NativeUtils::setWindowColor(color color)
    Does nothing on the desktop; \a color is ignored.
*/

/*!
    \qmlmethod NativeUtils::setStatusBarStyle(StatusBarStyle style)
    Sets the context property \c platformStatusBarVisible to false whatever
    \a style is: the desktop has no status bar.
    \value NativeUtils.StatusBarStyleHidden
    \value NativeUtils.StatusBarStyleWhite
    \value NativeUtils.StatusBarStyleBlack
*/

/*!
    \qmlmethod int NativeUtils::statusBarHeight()
    Returns 0: the desktop has no status bar.
*/

/*!
    \qmlmethod NativeUtils::displayTextInput(string title, string description, string placeholder, string text)
    Shows a modal dialog titled \a title that asks for a line of text, with
    \a description as its label. The field starts with \a text, or with
    \a placeholder (as editable text) when \a text is empty; both are optional.
    Emits textInputFinished() when it closes.
*/

/*!
    \qmlmethod NativeUtils::displayMessageBox(string title, string description, int buttons)
    Shows a modal message box with \a title as its text and \a description
    (optional) below it. With \a buttons 2 it has OK and Cancel, otherwise
    (the default, 1) OK alone. Emits messageBoxFinished() when it closes.
*/

/*!
    \qmlmethod NativeUtils::openUrl(string urlString)
    Opens \a urlString with the desktop's default handler (a web browser for
    "http" URLs). Whether it opened is not reported.
*/

/*!
    \qmlmethod NativeUtils::sendEmail(string to, string subject, string message)
    Opens the desktop's mail program on a new message to \a to with
    \a subject and \a message as body (both optional).
*/

/*!
    \qmlmethod NativeUtils::clearComponentCache()
    Clears the QML engine's component cache, so that documents loaded next are
    read from their files again.
*/

/*!
    \qmlmethod NativeUtils::vibrate()
    Does nothing on the desktop.
*/

/*!
    \qmlmethod NativeUtils::share(string text, url url)
    Does nothing on the desktop; \a text and \a url are ignored.
*/

/*!
    \qmlsignal NativeUtils::textInputFinished(bool accepted, string enteredText)
    Emitted when the dialog of displayTextInput() closes; \a accepted tells
    whether it was confirmed, \a enteredText holds the text (empty when
    cancelled).
*/

/*!
    \qmlsignal NativeUtils::messageBoxFinished(bool accepted)
    Emitted when the box of displayMessageBox() closes. \a accepted is false
    only when Cancel was chosen (closing an OK/Cancel box counts as Cancel).
*/

/*!
    \qmlsignal NativeUtils::statusBarHeightChanged(real height)
    Never emitted on the desktop; \a height would be the new status bar height.
*/

/*!
    \qmlsignal NativeUtils::displaySleepEnabledChanged(bool enabled)
    Emitted when \l displaySleepEnabled changes to \a enabled.
*/
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
