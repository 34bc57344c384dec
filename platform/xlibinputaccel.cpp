// The pointer speed of the X server's libinput pointers, as Plasma's mouse
// settings module sets it on X11: the device property "libinput Accel
// Speed" of every pointer that is not a touchpad.
#include <QtGlobal>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XI.h>
#include <X11/extensions/XInput.h>
#include <X11/extensions/XInput2.h>

namespace platform {

namespace {

// A device that goes away mid-way must not end the program through Xlib's
// default error handler.
int ignoreError(Display *, XErrorEvent *) { return 0; }

bool hasFloatProperty(Display *display, int device, Atom property, Atom floatType) {
  Atom type = None;
  int format = 0;
  unsigned long items = 0, after = 0;
  unsigned char *data = nullptr;
  const int status = XIGetProperty(display, device, property, 0, 1, False, floatType, &type,
                                   &format, &items, &after, &data);
  if (data)
    XFree(data);
  return status == Success && type == floatType && format == 32 && items == 1;
}

} // namespace

bool applyXLibinputAcceleration(double acceleration) {
  if (qEnvironmentVariableIsEmpty("DISPLAY"))
    return false;
  Display *display = XOpenDisplay(nullptr);
  if (!display)
    return false;
  const auto previous = XSetErrorHandler(ignoreError);
  const Atom accel = XInternAtom(display, "libinput Accel Speed", True);
  const Atom floatType = XInternAtom(display, "FLOAT", True);
  const Atom touchpad = XInternAtom(display, XI_TOUCHPAD, True);
  int changed = 0;
  int count = 0;
  XDeviceInfo *devices =
      accel != None && floatType != None ? XListInputDevices(display, &count) : nullptr;
  for (int i = 0; i < count; ++i) {
    const XDeviceInfo &d = devices[i];
    if ((d.use != IsXPointer && d.use != IsXExtensionPointer) ||
        (touchpad != None && d.type == touchpad) ||
        !hasFloatProperty(display, int(d.id), accel, floatType))
      continue;
    float value = float(acceleration);
    XIChangeProperty(display, int(d.id), accel, floatType, 32, XIPropModeReplace,
                     reinterpret_cast<unsigned char *>(&value), 1);
    ++changed;
  }
  if (devices)
    XFreeDeviceList(devices);
  XSync(display, False);
  XSetErrorHandler(previous);
  XCloseDisplay(display);
  return changed > 0;
}

} // namespace platform
