// What the main window does with captured events: queued calls of the QML
// root's detectKeyboard and detectMouse through the view, and the warning of
// a copy-data message. The callbacks take the main window (a QWidget *) as
// context; with a null context they do nothing.
#pragma once

#include "platform/copydata.h"

class QWidget;
class myQQuickView;

// The window's QML view (the child named "ui_View"), or null.
myQQuickView *qmlViewOf(QWidget *window);

void keyboardCallback(unsigned code, unsigned pressed, void *window);
void mouseCallback(unsigned code, unsigned pressed, int x, int y, void *window);
// Tells the interface whether keys are captured only while the program's
// window has focus (the QML root's keysInWindowOnly).
void showCaptureScope(QWidget *window, bool inWindowOnly);
// Shows a warning titled with the window's title for a CopyDataWarningTag
// message whose bytes are exactly one valid UTF-8 text.
void copyDataCallback(platform::CopyDataStruct *data, void *window);
