// norvane-jstest: the interface's JavaScript modules under Qt Quick Test,
// each imported alone: no window, no back end, no device.
#include <QtQuickTest/quicktest.h>

QUICK_TEST_MAIN(norvane_js)
