import QtQuick 2.0

/*!
    \qmltype GameWindow
    \inqmlmodule Zarno
    \inherits GameWindowApplicationWindow
    \brief The root of a game: its window, active scene, settings and global keys.

    Exactly GameWindowApplicationWindow under a shorter name; all members are
    documented there. Documents of the game reach it by the id \c gameWindow
    (scenes find the window through that name).

    \qml
    import Zarno 2.0
    GameWindow {
        id: gameWindow
        activeScene: menuScene
        MenuScene { id: menuScene }
    }
    \endqml
*/
GameWindowApplicationWindow {
}
