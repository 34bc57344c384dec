#pragma once

#include <QList>
#include <QQuickWidget>
#include <QSettings>
#include <QVariant>

class Hid_Thread;

// The QML host and, at the same time, the one back-end object the pages call
// (as "ui_View"). The order of the invokable operations is their method index
// order, which the interface relies on. Operations live in config/, one file
// per concern; this class's host side is in shell/.
class myQQuickView : public QQuickWidget {
  Q_OBJECT

public:
  explicit myQQuickView(QWidget *parent);
  ~myQQuickView() override;

  void setLink(Hid_Thread *link) { this->link = link; }
  Hid_Thread *hidLink() const { return link; }

  bool isColorful = false;
  bool isGun = false;
  QString icType;
  bool is55328 = false;

  Q_INVOKABLE void clearHidBusy();
  Q_INVOKABLE void initUI();
  Q_INVOKABLE void runUI();
  Q_INVOKABLE void mouseReadProfile(uint profileNo);
  Q_INVOKABLE QVariant getGlobalData(QVariant key);
  Q_INVOKABLE void setBusy(int busyTime);
  Q_INVOKABLE void setCurrentDPI(int dpiValue);

protected:
  void focusInEvent(QFocusEvent *event) override;

private:
  void invokeRoot(const char *function, Qt::ConnectionType type,
                  const QVariantList &args = {});

  Hid_Thread *link = nullptr;
  QSettings *globalConfig = nullptr;
  QSettings *defaultProfile = nullptr;
  QList<QSettings *> profileList;
  int currentProfile = 0;
};
