// Where the program shows itself. A desktop either has a tray (XEmbed or
// StatusNotifier) or has none; without one the window is the program's only
// presence and messages go to the desktop's notification service.
#pragma once

#include <QString>
#include <QSystemTrayIcon>
#include <optional>

namespace trayhost {

enum class DeviceState { Connected = 0, NoMouse = 1, NoAccess = 2 };

// Asked anew on every call: a tray host may start or stop at any time.
bool available();
// Tests decide the answer; std::nullopt asks the desktop again.
void overrideAvailable(std::optional<bool> available);

// XEmbed trays send double clicks; StatusNotifier trays send Activate, which
// arrives as Trigger. Both restore on Linux; only the double click elsewhere.
bool restoresWindow(QSystemTrayIcon::ActivationReason reason);

// "NORVANE MOUSE N1" and a second line with the device state.
QString toolTip(DeviceState state);

// The balloon on the tray when it can show one, else a desktop notification.
void showMessage(QSystemTrayIcon *tray, const QString &title, const QString &text,
                 QSystemTrayIcon::MessageIcon icon, int msecs);

} // namespace trayhost
