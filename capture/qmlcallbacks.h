// What the main window does with captured events: queued calls of the QML
// root's detectKeyboard and detectMouse, and the warning of a copy-data
// message. The callbacks take the main window (a QWidget *) as context.
#pragma once

#include "platform/copydata.h"

#include <QtGlobal>

class QObject;
class QWidget;

// Queued, so a hook procedure returns at once. Nothing for a null root.
void postKeyboardToQml(QObject *root, bool pressed, int code);
void postMouseToQml(QObject *root, bool pressed, uint code, uint x, uint y);

// The root object of the window's QML view (the child named "ui_View").
QObject *qmlRootOf(QWidget *window);

void keyboardCallback(unsigned code, unsigned pressed, void *window);
void mouseCallback(unsigned code, unsigned pressed, int x, int y, void *window);
// Shows a warning titled with the window's title for a CopyDataWarningTag
// message whose bytes are exactly one valid UTF-8 text.
void copyDataCallback(platform::CopyDataStruct *data, void *window);
