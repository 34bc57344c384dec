#include "platform/messagebox.h"

namespace platform {

namespace {
MessageBoxRecorder &recorder() {
  static MessageBoxRecorder r;
  return r;
}
} // namespace

QMessageBox::StandardButton showMessageBox(const MessageBoxRequest &request) {
  if (recorder())
    return recorder()(request);
  QMessageBox box(request.icon, request.title, request.text, request.buttons, request.parent);
  return QMessageBox::StandardButton(box.exec());
}

QMessageBox::StandardButton warning(QWidget *parent, const QString &title, const QString &text,
                                    QMessageBox::StandardButtons buttons) {
  return showMessageBox({QMessageBox::Warning, parent, title, text, buttons});
}

void setMessageBoxRecorder(MessageBoxRecorder r) { recorder() = std::move(r); }

MessageBoxLog::MessageBoxLog(QMessageBox::StandardButton answer)
    : shown(std::make_shared<QList<MessageBoxRequest>>()) {
  setMessageBoxRecorder([list = shown, answer](const MessageBoxRequest &request) {
    list->append(request);
    return answer;
  });
}

MessageBoxLog::~MessageBoxLog() { setMessageBoxRecorder({}); }

} // namespace platform
