// Button assignment: storing the page's sixteen assignments and encoding
// them into the device's key matrices, with the gun-mode matrices.
#include "shell/myqquickview.h"

#include "device/hid_thread.h"

#include <QDebug>

#include <array>

namespace {

constexpr int buttonCount = 16;
using Entry = std::array<uchar, 4>;
using Matrix = std::array<Entry, buttonCount>;

enum DeviceType : uchar {
  typeMedia = 3,
  typeReportRate = 5,
  typeGun = 8,
  typeMacro = 9,
  typeFire = 10,
  typeSpecial = 11,
};

Entry encode(const Entry &page, bool family560) {
  Entry e = page;
  const uchar t = page[0], b1 = page[1], b2 = page[2], b3 = page[3];
  switch (t) {
  case 0:
    if (b2 == 30 && b3 == 2) {
      e[0] = typeFire;
    } else if (b1 == 0xF1 && b2 == 3) {
      e[0] = typeReportRate;
      e[1] = 0;
    } else {
      e[0] = 1;
    }
    break;
  case 1:
    e[0] = typeFire;
    break;
  case 2:
  case 6:
  case 7:
    e[0] = 0;
    break;
  case 3:
    e[0] = typeMedia;
    break;
  case 4:
    e[0] = typeMacro;
    e[2] = uchar(b2 + 1);
    break;
  case 5:
    e[0] = 7;
    if (b2 == 4)
      e = family560 ? Entry{typeSpecial, 0, 1, 1} : Entry{7, 0, 4, 1};
    break;
  case 8:
    e[0] = typeGun;
    break;
  case 255:
    e[0] = 4;
    break;
  default:
    break;
  }
  // Windows functions that are consumer-page usages go out as media entries.
  if (((e[2] == 0x21 || e[2] == 0x23) && e[3] == 2) || (e[2] == 0x94 && e[3] == 1))
    e[0] = typeMedia;
  return e;
}

// Four numbers of a stored list; missing numbers count as 0.
Entry entryOf(const QVariantList &list) {
  Entry e{};
  for (int i = 0; i < 4 && i < list.size(); ++i)
    e[i] = uchar(list.at(i).toInt());
  return e;
}

std::array<uchar, 64> bytesOf(const Matrix &m) {
  std::array<uchar, 64> out{};
  for (int i = 0; i < buttonCount; ++i)
    std::copy(m[i].begin(), m[i].end(), out.begin() + 4 * i);
  return out;
}

// The factory entries of the profile, already in device encoding and order.
Matrix factoryMatrix(const QSettings &profile) {
  Matrix m{};
  for (int i = 0; i < buttonCount; ++i)
    m[i] =
        entryOf(profile.value(QStringLiteral("mouseFwKeyMatrix/") + QString::number(i)).toList());
  return m;
}

void sendMatrix(Hid_Thread &link, bool family560, const Matrix &m, uchar number) {
  std::array<uchar, 64> bytes = bytesOf(m);
  if (family560)
    link.hid560_0DH_SetKeyMatrix(bytes.data(), number);
  else
    link.hid553_12H_SetKeyMatrix(bytes.data(), number);
}

} // namespace

void myQQuickView::mouseSetKeyMatrix(QVariantList src64, bool isSendData, QVariantList otherParam) {
  // A short list would store partial assignments over good ones: refuse it.
  if (src64.size() < 4 * buttonCount) {
    qDebug().noquote() << "mouseSetKeyMatrix refused: expected 64 numbers, got" << src64.size();
    return;
  }
  QSettings *profile = currentProfileSettings();
  for (int k = 0; k < buttonCount; ++k)
    profile->setValue(QStringLiteral("mouseKeyMatrix/") + QString::number(k), src64.mid(4 * k, 4));
  if (!isSendData || !link)
    return;

  const bool family560 = is560();
  Matrix a{};
  for (int k = 0; k < buttonCount; ++k)
    a[k] = encode(entryOf(src64.mid(4 * k, 4)), family560);
  std::swap(a[5], a[6]);

  bool gunMode = false;
  for (const Entry &e : a)
    gunMode = gunMode || e[0] == typeGun;
  if (!gunMode) {
    sendMatrix(*link, family560, a, 1);
    return;
  }

  const Matrix factory = factoryMatrix(*profile);
  std::array<Matrix, 3> gun{factory, factory, factory}; // matrices 2, 3, 4

  // Per level 1..3: the value each gun matrix gets in its level byte.
  static constexpr uchar levels560[3][3] = {{0, 0, 0}, {3, 0, 0}, {3, 3, 0}};
  static constexpr uchar levels553[3][3] = {{0, 0, 0}, {2, 0, 0}, {2, 3, 0}};
  static constexpr uchar levelMask560[3] = {7, 15, 31};
  for (int i = 0; i < buttonCount; ++i) {
    if (a[i][0] != typeGun)
      continue;
    for (Matrix &m : gun)
      m[i][0] = typeGun;
    const int level = a[i][2];
    const bool known = level >= 1 && level <= 3;
    if (family560) {
      if (known) {
        a[i][2] = 1;
        for (int g = 0; g < 3; ++g)
          gun[g][i][2] = levels560[level - 1][g];
        profileBlocks[0][2] = levelMask560[level - 1];
      }
      continue;
    }
    if (known) {
      a[i][3] = 1;
      for (int g = 0; g < 3; ++g)
        gun[g][i][3] = levels553[level - 1][g];
    }
    for (Matrix *m : {&a, &gun[0], &gun[1], &gun[2]}) {
      (*m)[i][2] = 1;
      (*m)[i][1] = 0;
    }
  }
  for (int g = 0; g < 3; ++g) {
    const uchar period = g < otherParam.size() ? uchar(otherParam.at(g).toInt()) : 0;
    gun[g][0] = {typeSpecial, uchar(g), period, 0};
  }

  if (family560)
    link->hid560_0CH_setProfile(profileBlocks[0].data(), 0);
  sendMatrix(*link, family560, a, 1);
  for (int g = 0; g < 3; ++g)
    sendMatrix(*link, family560, gun[g], uchar(g + 2));
  if (family560)
    link->hid560_02H_SetCurrentProfile(1);
  else
    link->hid553_02H_SetCurrentKeyMatrix(1);
}

void myQQuickView::mouseResetKeyMatrix() {
  if (!link)
    return;
  const Matrix factory = factoryMatrix(*currentProfileSettings());
  for (uchar number = 2; number <= 4; ++number)
    sendMatrix(*link, is560(), factory, number);
}

QVariantList myQQuickView::mouseGetKeydefine(QVariant index, bool isRecovery) {
  return getDataList(QStringLiteral("mouseKeyMatrix/") + index.toString(), isRecovery);
}
