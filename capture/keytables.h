// The two fixed tables from keyboard scan codes to device key codes (HID
// keyboard usages): scan code to virtual key, virtual key to device code.
#pragma once

#include <QtGlobal>
#include <map>

namespace keytables {

// Key: scan code << 8, plus 1 for an extended key.
using ScanToVirtualKey = std::map<quint16, quint8>;
using VirtualKeyToUsage = std::map<quint8, quint8>;

ScanToVirtualKey buildScanToVirtualKey();
// layoutOption maps the virtual key 0xDC to 0x32 instead of 0x31.
VirtualKeyToUsage buildVirtualKeyToUsage(bool layoutOption);

} // namespace keytables
