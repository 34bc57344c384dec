#include "key_codec.h"

#include <QDebug>

KeyEntry encodeKeyEntry(const KeyEntry &page, bool family560) {
  KeyEntry e = page;
  const unsigned char t = page[0], b1 = page[1], b2 = page[2], b3 = page[3];
  switch (t) {
  case 0:
    if (b2 == 30 && b3 == 2) {
      e[0] = keyTypeFire;
    } else if (b1 == 0xF1 && b2 == 3) {
      e[0] = keyTypeReportRate;
      e[1] = 0;
    } else {
      e[0] = 1;
    }
    break;
  case 1:
    e[0] = keyTypeFire;
    break;
  case 2:
  case 6:
  case 7:
    e[0] = 0;
    break;
  case 3:
    e[0] = keyTypeMedia;
    break;
  case 4:
    e[0] = keyTypeMacro;
    e[2] = (unsigned char)(b2 + 1);
    break;
  case 5:
    e[0] = 7;
    if (b2 == 4)
      e = family560 ? KeyEntry{keyTypeSpecial, 0, 1, 1} : KeyEntry{7, 0, 4, 1};
    break;
  case 8:
    e[0] = keyTypeGun;
    break;
  case 255:
    e[0] = 4;
    break;
  default:
    break;
  }
  // Windows functions that are consumer-page usages go out as media entries.
  if (((e[2] == 0x21 || e[2] == 0x23) && e[3] == 2) || (e[2] == 0x94 && e[3] == 1))
    e[0] = keyTypeMedia;
  return e;
}

KeyEntry keyEntryOf(const QVariantList &list) {
  KeyEntry e{};
  for (int i = 0; i < 4 && i < list.size(); ++i)
    e[size_t(i)] = (unsigned char)(list.at(i).toInt());
  return e;
}

std::array<unsigned char, 64> keyMatrixBytes(const KeyMatrix &m) {
  std::array<unsigned char, 64> out{};
  for (int i = 0; i < keyButtonCount; ++i)
    std::copy(m[size_t(i)].begin(), m[size_t(i)].end(), out.begin() + 4 * i);
  return out;
}

KeyMatrix factoryKeyMatrix(const QSettings &profile) {
  KeyMatrix m{};
  for (int i = 0; i < keyButtonCount; ++i)
    m[size_t(i)] = keyEntryOf(
        profile.value(QStringLiteral("mouseFwKeyMatrix/") + QString::number(i)).toList());
  return m;
}

bool storeKeyAssignments(QSettings &profile, const QVariantList &src64) {
  if (src64.size() < 4 * keyButtonCount) {
    qDebug().noquote() << "mouseSetKeyMatrix refused: expected 64 numbers, got" << src64.size();
    return false;
  }
  for (int k = 0; k < keyButtonCount; ++k)
    profile.setValue(QStringLiteral("mouseKeyMatrix/") + QString::number(k), src64.mid(4 * k, 4));
  return true;
}
