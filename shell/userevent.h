#pragma once

#include <QEvent>

// Posted by the window to itself; the one kind in use asks it to run the
// interface once the queued initUI has run.
class UserEvent : public QEvent {
public:
  static constexpr int RunUiKind = 0x881;
  explicit UserEvent(int kind) : QEvent(QEvent::User), kind(kind) {}
  int kind;
};
