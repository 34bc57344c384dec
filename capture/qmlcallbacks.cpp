#include "capture/qmlcallbacks.h"

#include "platform/messagebox.h"

#include <QDebug>
#include <QQuickItem>
#include <QQuickWidget>
#include <QStringDecoder>
#include <QVariant>
#include <QWidget>

void postKeyboardToQml(QObject *root, bool pressed, int code) {
  if (!root)
    return;
  QMetaObject::invokeMethod(root, "detectKeyboard", Qt::QueuedConnection,
                            Q_ARG(QVariant, QVariant(pressed)), Q_ARG(QVariant, QVariant(code)));
}

void postMouseToQml(QObject *root, bool pressed, uint code, uint x, uint y) {
  if (!root)
    return;
  QMetaObject::invokeMethod(root, "detectMouse", Qt::QueuedConnection,
                            Q_ARG(QVariant, QVariant(pressed)), Q_ARG(QVariant, QVariant(code)),
                            Q_ARG(QVariant, QVariant(x)), Q_ARG(QVariant, QVariant(y)));
}

QObject *qmlRootOf(QWidget *window) {
  if (!window)
    return nullptr;
  auto *view = window->findChild<QQuickWidget *>(QStringLiteral("ui_View"));
  return view ? view->rootObject() : nullptr;
}

void keyboardCallback(unsigned code, unsigned pressed, void *window) {
  if (!window)
    return;
  postKeyboardToQml(qmlRootOf(static_cast<QWidget *>(window)), (pressed & 0xFF) != 0,
                    int(code & 0xFF));
}

void mouseCallback(unsigned code, unsigned pressed, int x, int y, void *window) {
  if (!window)
    return;
  // Points left of or above the origin arrive as their unsigned values.
  postMouseToQml(qmlRootOf(static_cast<QWidget *>(window)), (pressed & 0xFF) != 0, code & 0xFF,
                 uint(x), uint(y));
}

namespace {

// The text of a warning message, or nothing. The bytes are read up to the
// first zero but never past cbData, and must be valid UTF-8.
std::optional<QString> warningText(const platform::CopyDataStruct &data) {
  if (data.dwData != platform::CopyDataWarningTag)
    return std::nullopt;
  if (data.cbData > 0 && !data.lpData)
    return std::nullopt;
  const auto *bytes = static_cast<const char *>(data.lpData);
  const qsizetype length = bytes ? qstrnlen(bytes, data.cbData) : 0;
  if (length != qsizetype(data.cbData))
    return std::nullopt; // the terminating zero is not part of the text
  QStringDecoder decode(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = decode(QByteArrayView(bytes, length));
  if (decode.hasError())
    return std::nullopt;
  return text;
}

} // namespace

void copyDataCallback(platform::CopyDataStruct *data, void *window) {
  if (!window || !data)
    return;
  const std::optional<QString> text = warningText(*data);
  if (!text) {
    qDebug() << "Copy-data message ignored: tag" << Qt::hex << data->dwData << Qt::dec
             << "with" << data->cbData << "bytes";
    return;
  }
  platform::warning(nullptr, static_cast<QWidget *>(window)->windowTitle(), *text,
                    QMessageBox::Ok);
}
