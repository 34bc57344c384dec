#include "accessiblehost.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QPointer>
#include <QQuickWidget>
#include <QQuickWindow>

namespace accessiblehost {

namespace {

const char *topLevelMark = "norvaneTopLevel";

// QWidget's own interface calls a plain widget a filler (Client).
QAccessibleInterface *topLevelFactory(const QString &, QObject *object) {
  auto *widget = qobject_cast<QWidget *>(object);
  if (widget && widget->isWindow() && widget->property(topLevelMark).toBool())
    return new QAccessibleWidget(widget, QAccessible::Window);
  return nullptr;
}

// The off-screen window renders the items; assistive technology reads their
// screen rectangles through it, so it must sit where the view is.
class PositionFollower : public QObject {
public:
  explicit PositionFollower(QQuickWidget *view) : QObject(view), view(view) {}

  void watch(QWidget *widget) {
    if (widget && !watched.contains(widget)) {
      widget->installEventFilter(this);
      watched << widget;
    }
  }
  void sync() {
    if (!view)
      return;
    watch(view->window());
    if (QQuickWindow *offscreen = view->quickWindow()) {
      const QPoint at = view->mapToGlobal(QPoint(0, 0));
      if (offscreen->position() != at)
        offscreen->setPosition(at);
    }
  }

protected:
  bool eventFilter(QObject *watchedObject, QEvent *event) override {
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Show:
    case QEvent::ParentChange:
      sync();
      break;
    default:
      break;
    }
    return QObject::eventFilter(watchedObject, event);
  }

private:
  QPointer<QQuickWidget> view;
  QList<QPointer<QWidget>> watched;
};

} // namespace

void markTopLevel(QWidget *window) {
  static const bool installed = [] {
    QAccessible::installFactory(topLevelFactory);
    return true;
  }();
  Q_UNUSED(installed);
  window->setProperty(topLevelMark, true);
}

void followView(QQuickWidget *view) {
  auto *follower = new PositionFollower(view);
  follower->watch(view);
  follower->watch(view->window());
  // The application lists its top-level windows for assistive technology,
  // leaving out popups; the view's items are reached through the view.
  if (QQuickWindow *offscreen = view->quickWindow())
    offscreen->setFlags((offscreen->flags() & ~Qt::WindowType_Mask) | Qt::Popup);
  follower->sync();
}

} // namespace accessiblehost
