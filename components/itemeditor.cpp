#include "itemeditor.h"

/*!
    \qmltype ItemEditorBase
    \inqmlmodule Zarno
    \instantiates ItemEditor
    \brief Native base of the runtime property editor: row delegates and colour helpers.

    The framework's \c ItemEditor document is built on this element. It holds
    the components that draw each kind of editor row and reads the components
    of a colour as numbers between 0 and 1. It does not own the components.

    \qml
    ItemEditorBase {
        numberDelegate: Component { Text { text: "number row" } }
        Component.onCompleted: console.log(readColorPropertyWithRed("#ff0000"))   // 1
    }
    \endqml
*/

ItemEditor::ItemEditor(QQuickItem *parent)
    : QQuickItem(parent)
{
}

/*!
    \qmlproperty Component ItemEditorBase::contentDelegate
    The component that draws the editor's content area.
*/
void ItemEditor::setContentDelegate(QQmlComponent *delegate)
{
    if (m_contentDelegate == delegate)
        return;
    m_contentDelegate = delegate;
    emit contentDelegateChanged();
}

/*!
    \qmlproperty Component ItemEditorBase::groupDelegate
    The component that draws a group header.
*/
void ItemEditor::setGroupDelegate(QQmlComponent *delegate)
{
    if (m_groupDelegate == delegate)
        return;
    m_groupDelegate = delegate;
    emit groupDelegateChanged();
}

/*!
    \qmlproperty Component ItemEditorBase::boolDelegate
    The component that draws a boolean property.
*/
void ItemEditor::setBoolDelegate(QQmlComponent *delegate)
{
    if (m_boolDelegate == delegate)
        return;
    m_boolDelegate = delegate;
    emit boolDelegateChanged();
}

/*!
    \qmlproperty Component ItemEditorBase::numberDelegate
    The component that draws a numeric property.
*/
void ItemEditor::setNumberDelegate(QQmlComponent *delegate)
{
    if (m_numberDelegate == delegate)
        return;
    m_numberDelegate = delegate;
    emit numberDelegateChanged();
}

/*!
    \qmlproperty Component ItemEditorBase::stringDelegate
    The component that draws a string property.
*/
void ItemEditor::setStringDelegate(QQmlComponent *delegate)
{
    if (m_stringDelegate == delegate)
        return;
    m_stringDelegate = delegate;
    emit stringDelegateChanged();
}

/*!
    \qmlproperty Component ItemEditorBase::pointDelegate
    The component that draws a point property.
*/
void ItemEditor::setPointDelegate(QQmlComponent *delegate)
{
    if (m_pointDelegate == delegate)
        return;
    m_pointDelegate = delegate;
    emit pointDelegateChanged();
}

/*!
    \qmlproperty Component ItemEditorBase::colorDelegate
    The component that draws a colour property.
*/
void ItemEditor::setColorDelegate(QQmlComponent *delegate)
{
    if (m_colorDelegate == delegate)
        return;
    m_colorDelegate = delegate;
    emit colorDelegateChanged();
}

/*!
    \qmlproperty Component ItemEditorBase::textureDelegate
    The component that draws an image (texture) property.
*/
void ItemEditor::setTextureDelegate(QQmlComponent *delegate)
{
    if (m_textureDelegate == delegate)
        return;
    m_textureDelegate = delegate;
    emit textureDelegateChanged();
}

/*!
    \qmlproperty Component ItemEditorBase::arrayDelegate
    The component that draws a list property.
*/
void ItemEditor::setArrayDelegate(QQmlComponent *delegate)
{
    if (m_arrayDelegate == delegate)
        return;
    m_arrayDelegate = delegate;
    emit arrayDelegateChanged();
}

/*!
    \qmlmethod real ItemEditorBase::readColorPropertyWithRed(color color)
    The red component of \a color, from 0 to 1.
*/
/*!
    \qmlmethod real ItemEditorBase::readColorPropertyWithGreen(color color)
    The green component of \a color, from 0 to 1.
*/
/*!
    \qmlmethod real ItemEditorBase::readColorPropertyWithBlue(color color)
    The blue component of \a color, from 0 to 1.
*/
/*!
    \qmlmethod real ItemEditorBase::readColorPropertyWithAlpha(color color)
    The alpha component of \a color, from 0 (transparent) to 1.
*/
