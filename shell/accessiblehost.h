#pragma once

class QQuickWidget;
class QWidget;

// What assistive technology needs from the QML host: the top-level window
// is a Window named after the product, the items report where they are on
// screen, and the view's off-screen window is not a window of its own.
namespace accessiblehost {

// Marks `window` as the program's top-level for assistive technology; its
// name follows the window title.
void markTopLevel(QWidget *window);

// Keeps the view's off-screen window at the view's place on screen as the
// top-level moves and shows, and keeps it out of the application's list of
// windows.
void followView(QQuickWidget *view);

} // namespace accessiblehost
