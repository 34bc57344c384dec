import "common"

// The host loads this file; the window itself is common/MainWindow.qml, a
// type the screen's parts can name.
MainWindow {}
