// Desktop notifications without a tray: org.freedesktop.Notifications on the
// session bus. Tests install a recorder instead of the bus.
#pragma once

#include <QList>
#include <QString>
#include <functional>
#include <memory>

namespace platform {

struct Notification {
  QString title;
  QString text;
  bool warning = false;
  int timeoutMs = -1;
};

// Sends the notification without waiting for an answer. Returns false when
// there is no session bus to send it on (the debug output still has it).
bool notify(const Notification &notification);

using NotificationRecorder = std::function<void(const Notification &)>;
void setNotificationRecorder(NotificationRecorder recorder);

// Records every notification sent while it lives; nothing reaches the bus.
class NotificationLog {
public:
  NotificationLog();
  ~NotificationLog();
  NotificationLog(const NotificationLog &) = delete;
  NotificationLog &operator=(const NotificationLog &) = delete;

  QList<Notification> sent() const { return *list; }

private:
  std::shared_ptr<QList<Notification>> list;
};

} // namespace platform
