// Sending the button assignments, with the gun-mode matrices 2..4.
#include "mouse_device.h"

#include "device_family.h"
#include "key_codec.h"

bool MouseDevice::sendKeyAssignments(const QVariantList &src64, const QSettings &profile,
                                     const QVariantList &otherParam) {
  if (!link)
    return false;
  KeyMatrix a{};
  for (int k = 0; k < keyButtonCount; ++k)
    a[size_t(k)] = chosenFamily->encodeKey(keyEntryOf(src64.mid(4 * k, 4)));
  std::swap(a[5], a[6]);

  bool gunMode = false;
  for (const KeyEntry &e : a)
    gunMode = gunMode || e[0] == keyTypeGun;
  if (!gunMode)
    return chosenFamily->sendKeyMatrix(*link, a, 1);

  if (!chosenFamily->readGunModeBlocks(*this))
    return false;
  const KeyMatrix factory = factoryKeyMatrix(profile);
  std::array<KeyMatrix, 3> gun{factory, factory, factory}; // matrices 2, 3, 4
  for (size_t i = 0; i < keyButtonCount; ++i) {
    if (a[i][0] != keyTypeGun)
      continue;
    for (KeyMatrix &m : gun)
      m[i][0] = keyTypeGun;
    chosenFamily->markGunButton(*this, a, gun, i, a[i][2]);
  }
  for (int g = 0; g < 3; ++g) {
    const uchar period = g < otherParam.size() ? uchar(otherParam.at(g).toInt()) : 0;
    gun[size_t(g)][0] = {keyTypeSpecial, uchar(g), period, 0};
  }
  return chosenFamily->sendGunMode(*this, a, gun);
}

bool MouseDevice::resetGunMatrices(const QSettings &profile) {
  if (!link)
    return false;
  const KeyMatrix factory = factoryKeyMatrix(profile);
  bool ok = true;
  for (uchar number = 2; number <= 4; ++number)
    ok &= chosenFamily->sendKeyMatrix(*link, factory, number);
  return ok;
}
