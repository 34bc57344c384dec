#pragma once

#include <QSettings>
#include <QVariantList>

#include <array>

// The page's button assignments (four numbers per button, sixteen buttons)
// and their device encoding.
constexpr int keyButtonCount = 16;
using KeyEntry = std::array<unsigned char, 4>;
using KeyMatrix = std::array<KeyEntry, keyButtonCount>;

enum KeyDeviceType : unsigned char {
  keyTypeMedia = 3,
  keyTypeReportRate = 5,
  keyTypeGun = 8,
  keyTypeMacro = 9,
  keyTypeFire = 10,
  keyTypeSpecial = 11,
};

// One page entry in the device's encoding for the 560 or the 553 family.
KeyEntry encodeKeyEntry(const KeyEntry &page, bool family560);
// Four numbers of a list; missing numbers count as 0.
KeyEntry keyEntryOf(const QVariantList &list);
std::array<unsigned char, 64> keyMatrixBytes(const KeyMatrix &m);
// A profile's factory entries ("mouseFwKeyMatrix/0".."15"), already in
// device encoding and order.
KeyMatrix factoryKeyMatrix(const QSettings &profile);
// Stores the page's 64 numbers as "mouseKeyMatrix/0".."15"; a short list
// would store partial assignments over good ones and is refused (false).
bool storeKeyAssignments(QSettings &profile, const QVariantList &src64);
