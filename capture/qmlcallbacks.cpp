#include "capture/qmlcallbacks.h"

#include "platform/messagebox.h"
#include "shell/myqquickview.h"

#include <QDebug>
#include <QQuickItem>
#include <QStringDecoder>
#include <QVariant>
#include <QWidget>

myQQuickView *qmlViewOf(QWidget *window) {
  return window ? window->findChild<myQQuickView *>(QStringLiteral("ui_View")) : nullptr;
}

void keyboardCallback(unsigned code, unsigned pressed, void *window) {
  if (myQQuickView *view = qmlViewOf(static_cast<QWidget *>(window)))
    view->postKeyboardToQml((pressed & 0xFF) != 0, int(code & 0xFF));
}

void mouseCallback(unsigned code, unsigned pressed, int x, int y, void *window) {
  // Points left of or above the origin arrive as their unsigned values.
  if (myQQuickView *view = qmlViewOf(static_cast<QWidget *>(window)))
    view->postMouseToQml((pressed & 0xFF) != 0, code & 0xFF, uint(x), uint(y));
}

void showCaptureScope(QWidget *window, bool inWindowOnly) {
  myQQuickView *view = qmlViewOf(window);
  if (QObject *root = view ? view->rootObject() : nullptr)
    root->setProperty("keysInWindowOnly", inWindowOnly);
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
    qDebug() << "Copy-data message ignored: tag" << Qt::hex << data->dwData << Qt::dec << "with"
             << data->cbData << "bytes";
    return;
  }
  platform::warning(nullptr, static_cast<QWidget *>(window)->windowTitle(), *text, QMessageBox::Ok);
}
