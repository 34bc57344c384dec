#pragma once

#include <QObject>

class QWidget;
class myQQuickView;
class WindowMover;

// Gives the main window its look, creates the QML view and offers QML the
// window operations (as "ui_Ctl").
class Ui_Controler : public QObject {
  Q_OBJECT

public:
  explicit Ui_Controler(QWidget *window);
  ~Ui_Controler() override;

  myQQuickView *view() const { return uiView; }
  WindowMover *windowMover() const { return mover; }

public slots:
  void onMinimize();
  void onClose();
  void onXChanged(int x);
  void onYChanged(int y);
  void setBusy(int busyTime);
  void setBusy();

private:
  void loadWindowTitle();

  QWidget *mainWindow = nullptr;
  myQQuickView *uiView = nullptr;
  WindowMover *mover = nullptr;
};
