#include "hidapi_global.h"

#include <mutex>

namespace hidapi {

namespace {
std::mutex globalStateMutex;
} // namespace

hid_device_info *enumerate(unsigned short vendorId, unsigned short productId) {
  std::lock_guard lock(globalStateMutex);
  return hid_enumerate(vendorId, productId);
}

hid_device *openPath(const char *path) {
  std::lock_guard lock(globalStateMutex);
  return hid_open_path(path);
}

} // namespace hidapi
