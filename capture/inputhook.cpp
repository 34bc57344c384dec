#include "inputhook.h"

#include <QDebug>

InputHook::InputHook(bool layoutOption) : layoutOption(layoutOption) { installHooks(); }

InputHook::~InputHook() { removeHooks(); }

bool InputHook::installHooks() {
  // The capture backend arrives with the key tables; until then it is off.
  qDebug() << "Input capture is off";
  installed = false;
  return false;
}

void InputHook::removeHooks() { installed = false; }
