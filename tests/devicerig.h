// A view on a connected virtual mouse of a chosen variant, and helpers to
// read what went over the wire.
#pragma once

#include "device/hid_thread.h"
#include "platform/pause.h"
#include "shell/myqquickview.h"
#include "testsupport.h"

#include <memory>

namespace testsupport {

using Bytes = std::vector<uint8_t>;

struct Variant {
  QString family = QStringLiteral("553");
  bool colourful = true;
  bool gun = false;
  bool is55328 = false;
};

// A view on a connected virtual mouse of the given variant.
struct Rig {
  explicit Rig(const Variant &v, const QString &profileText = {}) {
    vmouse::Config c;
    c.family = v.family.toStdString();
    vmouse::configure(c);
    dir.writeDeviceList(c, QStringLiteral("[mouse]\nicType=%1\nisColorful=%2\nisGun=%3\n"
                                          "is55328=%4\n")
                               .arg(v.family)
                               .arg(v.colourful ? "true" : "false")
                               .arg(v.gun ? "true" : "false")
                               .arg(v.is55328 ? "true" : "false"));
    if (!profileText.isEmpty())
      writeFile(QStringLiteral("modules/setting/p1.bin"), profileText.toUtf8());
    link.loadDeviceList();
    link.discoverInterfaces();
    ok = link.chkDeviceIsEnCode(0);
    view = std::make_unique<myQQuickView>(nullptr);
    view->setLink(&link);
    vmouse::clearCommands();
  }

  // The device's profile blocks get a pattern, and the view reads them, so
  // that a test sees exactly which bytes a patch changed.
  void readPatternedBlocks() {
    vmouse::DeviceState s = vmouse::deviceState();
    for (int b = 0; b < 5; ++b)
      for (int i = 0; i < 128; ++i)
        s.profiles[b][i] = uint8_t(i * 7 + b * 31 + 1);
    vmouse::setDeviceState(s);
    for (uint b = 0; b < 5; ++b)
      view->mouseReadProfile(b);
    vmouse::clearCommands();
  }
  static Bytes pattern(int block) {
    Bytes out(128);
    for (int i = 0; i < 128; ++i)
      out[i] = uint8_t(i * 7 + block * 31 + 1);
    return out;
  }

  WorkDir dir;
  platform::PauseLog pauses;
  Hid_Thread link;
  std::unique_ptr<myQQuickView> view;
  bool ok = false;
};

// Command blocks as "code b1 b2 ...", without the checksum and padding.
inline QStringList heads(int length = 3) {
  QStringList out;
  for (const vmouse::Command &c : vmouse::commands())
    out << hex(QByteArray(reinterpret_cast<const char *>(c.block.data()), length));
  return out;
}

// Answers the view's file dialogs in place of the user, recording what was
// asked: (save, title, filter), and the file each started on.
struct FileDialogAnswer {
  QList<std::tuple<bool, QString, QString>> asked;
  QStringList proposed;
  QString answer;

  void install() {
    asked.clear();
    proposed.clear();
    answer.clear();
    myQQuickView::setFileDialogHook(
        [this](bool save, QString title, QString filter, QString start) {
          asked.append({save, title, filter});
          proposed.append(start);
          return answer;
        });
  }
  static void uninstall() { myQQuickView::setFileDialogHook({}); }
};

// The 560 family's mode-block sends: block 1, and 2..4 with gun modes.
inline QStringList modeBlockSends(bool gun) {
  return gun ? QStringList{"0c 01 80", "0c 02 80", "0c 03 80", "0c 04 80"}
             : QStringList{"0c 01 80"};
}

inline Bytes dataOf(size_t i, size_t length) {
  const auto commands = vmouse::commands();
  if (i >= commands.size())
    return {};
  const Bytes &d = commands[i].data;
  return Bytes(d.begin(), d.begin() + std::min(length, d.size()));
}

inline Bytes toBytes(const QList<int> &values) {
  Bytes out;
  for (int v : values)
    out.push_back(uint8_t(v));
  return out;
}

inline QVariantList toList(const QList<int> &values) {
  QVariantList out;
  for (int v : values)
    out << v;
  return out;
}

// Numbers of a list as read back, whether stored as numbers or as text.
inline QList<int> ints(const QVariantList &list) {
  QList<int> out;
  for (const QVariant &v : list)
    out << v.toInt();
  return out;
}

template <size_t N> Bytes toBytes(const std::array<uint8_t, N> &a) {
  return Bytes(a.begin(), a.end());
}

} // namespace testsupport
