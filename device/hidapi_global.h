#pragma once

#include <hidapi.h>

// hidapi calls that touch the library's process-wide state. hidapi 0.13
// (hidraw) keeps one error text for the whole process, which hid_open_path
// and hid_enumerate free and replace; the report watch opens its interface on
// the watch thread while the GUI thread opens and enumerates. These run under
// one lock, held for the call alone: never across a pause or a read.
namespace hidapi {

hid_device_info *enumerate(unsigned short vendorId, unsigned short productId);
hid_device *openPath(const char *path);

} // namespace hidapi
