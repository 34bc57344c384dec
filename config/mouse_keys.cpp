// Sending the button assignments, with the gun-mode matrices 2..4.
#include "mouse_device.h"

#include "device/hid_thread.h"
#include "key_codec.h"

namespace {

void sendMatrix(Hid_Thread &link, bool family560, const KeyMatrix &m, uchar number) {
  std::array<uchar, 64> bytes = keyMatrixBytes(m);
  if (family560)
    link.hid560_0DH_SetKeyMatrix(bytes.data(), number);
  else
    link.hid553_12H_SetKeyMatrix(bytes.data(), number);
}

} // namespace

void MouseDevice::sendKeyAssignments(const QVariantList &src64, const QSettings &profile,
                                     const QVariantList &otherParam) {
  if (!link)
    return;
  const bool family560 = is560();
  KeyMatrix a{};
  for (int k = 0; k < keyButtonCount; ++k)
    a[size_t(k)] = encodeKeyEntry(keyEntryOf(src64.mid(4 * k, 4)), family560);
  std::swap(a[5], a[6]);

  bool gunMode = false;
  for (const KeyEntry &e : a)
    gunMode = gunMode || e[0] == keyTypeGun;
  if (!gunMode) {
    sendMatrix(*link, family560, a, 1);
    return;
  }

  const KeyMatrix factory = factoryKeyMatrix(profile);
  std::array<KeyMatrix, 3> gun{factory, factory, factory}; // matrices 2, 3, 4

  // Per level 1..3: the value each gun matrix gets in its level byte.
  static constexpr uchar levels560[3][3] = {{0, 0, 0}, {3, 0, 0}, {3, 3, 0}};
  static constexpr uchar levels553[3][3] = {{0, 0, 0}, {2, 0, 0}, {2, 3, 0}};
  static constexpr uchar levelMask560[3] = {7, 15, 31};
  for (size_t i = 0; i < keyButtonCount; ++i) {
    if (a[i][0] != keyTypeGun)
      continue;
    for (KeyMatrix &m : gun)
      m[i][0] = keyTypeGun;
    const int level = a[i][2];
    const bool known = level >= 1 && level <= 3;
    if (family560) {
      if (known) {
        a[i][2] = 1;
        for (int g = 0; g < 3; ++g)
          gun[size_t(g)][i][2] = levels560[level - 1][g];
        profileBlocks[0][2] = levelMask560[level - 1];
      }
      continue;
    }
    if (known) {
      a[i][3] = 1;
      for (int g = 0; g < 3; ++g)
        gun[size_t(g)][i][3] = levels553[level - 1][g];
    }
    for (KeyMatrix *m : {&a, &gun[0], &gun[1], &gun[2]}) {
      (*m)[i][2] = 1;
      (*m)[i][1] = 0;
    }
  }
  for (int g = 0; g < 3; ++g) {
    const uchar period = g < otherParam.size() ? uchar(otherParam.at(g).toInt()) : 0;
    gun[size_t(g)][0] = {keyTypeSpecial, uchar(g), period, 0};
  }

  if (family560)
    link->hid560_0CH_setProfile(profileBlocks[0].data(), 0);
  sendMatrix(*link, family560, a, 1);
  for (int g = 0; g < 3; ++g)
    sendMatrix(*link, family560, gun[size_t(g)], uchar(g + 2));
  if (family560)
    link->hid560_02H_SetCurrentProfile(1);
  else
    link->hid553_02H_SetCurrentKeyMatrix(1);
}

void MouseDevice::resetGunMatrices(const QSettings &profile) {
  if (!link)
    return;
  const KeyMatrix factory = factoryKeyMatrix(profile);
  for (uchar number = 2; number <= 4; ++number)
    sendMatrix(*link, is560(), factory, number);
}
