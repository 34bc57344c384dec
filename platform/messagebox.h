// Message boxes. Production shows a modal QMessageBox; tests install a
// recorder that sees each request and answers it without a modal loop.
#pragma once

#include <QList>
#include <QMessageBox>
#include <QString>
#include <functional>
#include <memory>

namespace platform {

struct MessageBoxRequest {
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QWidget *parent = nullptr;
  QString title;
  QString text;
  QMessageBox::StandardButtons buttons = QMessageBox::Ok;
};

QMessageBox::StandardButton showMessageBox(const MessageBoxRequest &request);

// QMessageBox::warning through the seam.
QMessageBox::StandardButton warning(QWidget *parent, const QString &title, const QString &text,
                                    QMessageBox::StandardButtons buttons = QMessageBox::Ok);

// While a recorder is set, showMessageBox hands it the request and returns
// its answer. An empty function restores the real box.
using MessageBoxRecorder = std::function<QMessageBox::StandardButton(const MessageBoxRequest &)>;
void setMessageBoxRecorder(MessageBoxRecorder recorder);

// Records every box shown while it lives and answers with `answer`.
class MessageBoxLog {
public:
  explicit MessageBoxLog(QMessageBox::StandardButton answer = QMessageBox::Ok);
  ~MessageBoxLog();
  MessageBoxLog(const MessageBoxLog &) = delete;
  MessageBoxLog &operator=(const MessageBoxLog &) = delete;

  QList<MessageBoxRequest> requests() const { return *shown; }
  void clear() { shown->clear(); }

private:
  std::shared_ptr<QList<MessageBoxRequest>> shown;
};

} // namespace platform
