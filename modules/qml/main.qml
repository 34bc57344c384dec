import QtQuick
import modules.qml.basic

// The main screen: theme, device flags, layout, the functions the back end
// calls, and the actions that span pages (save, profile switch, reset).
Item {
    id: mainWindow

    // Theme names, kept for the pages that still read them here.
    readonly property string fontFamily: Theme.fontFamily
    readonly property int fontMinSize: Theme.fontMinSize
    readonly property int fontNormalSize: Theme.fontNormalSize
    readonly property int fontMiddleSize: Theme.fontMiddleSize
    readonly property int fontMaxSize: Theme.fontMaxSize
    readonly property color fontColor: Theme.fontColor
    readonly property color colorGray0: Theme.colorGray0
    readonly property color colorGray1: Theme.colorGray1
    readonly property color colorGray2: Theme.colorGray2
    readonly property color colorGray3: Theme.colorGray3
    readonly property color colorBlue: Theme.colorBlue
    readonly property color colorOrange: Theme.colorOrange
    readonly property color colorBlack: Theme.colorBlack
    readonly property int skin_No: Theme.skin_No

    // Device flags, read by the first initUI
    property bool isColorful: false
    property string icType: "553"
    property bool is55328: false
    property bool isGun: true
    property string language: "ChineseSimplified"
    property string url: "https://norvane.example/n1"
    property bool isPownOn: false
    // 0: a mouse is connected; 1: none found; 2: found but cannot be opened.
    property int deviceState: 0
    // Set by the back end where keys reach the capture only while this
    // window has focus.
    property bool keysInWindowOnly: false

    property var mainLang: ["Editor", "Macro Editor", "Gun Editor", "Report Rate", "Config", "Reset",
        "Reset factory setting", "Cancel", "OK", "System setting", "Save", "", "", "", ""]

    // Power-on logo until the first lock ends; then every region shows.
    property bool isRevealed: false
    readonly property bool isPending: isPownOn && (keyMatrix.isSave || dpiSetting.isSave || lightControl.isSave)
    property bool gunPlaced: false

    // The screen's parts, set when the screen is built (common/MainScreen.qml).
    // Untyped on purpose: a typed slot would load every page before the logo.
    property var keyCodeString: null
    property var mouseMain: null
    property var keyMatrix: null
    property var dpiSetting: null
    property var lightControl: null
    property var menuUp: null
    property var aboutMenu: null
    property var mask: null
    property var macroEditor: null
    property var gunControl: null
    property var systemSetting: null
    property var keyAssigment: null
    property var profile: null
    property var resetBox: null

    signal msg_KB(bool isDown, int usbCode)
    signal msg_MS(bool isDown, int buttonCode, int x, int y)
    signal emptyAreaPressed()

    width: 1024
    height: 640
    visible: false

    // The host sets its context properties before this file loads.
    function hasBackEnd() { return ui_View !== null }
    function hasController() { return ui_Ctl !== null }
    function setViewEnabled(isEnable) {
        if (hasBackEnd() && ui_View.setEnabled)
            ui_View.setEnabled(isEnable)
    }
    // A missing key keeps the built-in default.
    function globalValue(key, fallback) {
        var v = ui_View.getGlobalData(key)
        return v === undefined || v === null || String(v) === "" ? fallback : v
    }
    function asBool(v) {
        if (typeof v === "boolean")
            return v
        var s = String(v).toLowerCase()
        return s !== "" && s !== "false" && s !== "0"
    }
    function lang(list, i) { return list && list[i] !== undefined ? String(list[i]) : "" }

    // Calls from the back end
    // The first call shows the logo at once and builds the screen behind it;
    // the rest of the first start runs when it is built (startScreen).
    function initUI() {
        setProtectUI(1000)
        visible = true
        if (isPownOn)
            highlightCurrentDPI()
        else if (!screen.active)
            buildAfterNextFrame()
    }
    // The screen is built once the frame that shows the logo is under way, so
    // that the build never holds that frame back.
    function buildAfterNextFrame() {
        if (Window.window)
            logoFrame.target = Window.window
        else
            screen.active = true
    }
    // Runs once, when the Loader has built the screen.
    function startScreen() {
        readFlags()
        if (icType === "560" && Number(ui_View.mouseReadCurrentProfile()) !== 1)
            hid.hid560_02H_SetCurrentProfile(1)
        loadStrings()
        profile.init()
        profile.profileNo = Number(globalValue("mouse/profileNo", 0))
        menuUp.profileBtn.currentSelect = profile.activeRow
        menuUp.profileBtn.closeMenu()
        ui_View.setCurrentProfile(profile.profileNo)
        macroEditor.init()
        gunControl.init()
        keyAssigment.init()
        keyMatrix.init(false, false)
        dpiSetting.init(false, false)
        lightControl.init(false, false)
        systemSetting.init(false, false)
        isPownOn = true
        highlightCurrentDPI()
        // A lock that ran out while the screen was being built ends now.
        if (!lockTimer.running)
            unlock()
    }
    function highlightCurrentDPI() { dpiSetting.currentDPI = Number(ui_View.mouseGetCurrentDPI()) - 1 }
    function unlock() {
        setViewEnabled(true)
        busy.setBusy(false)
        if (powerOnLogo.visible) {
            powerOnLogo.visible = false
            isRevealed = true
        }
    }
    function run() {}
    function setProtectUI(interval) {
        busy.setBusy(true)
        setViewEnabled(false)
        lockTimer.interval = Math.max(0, Number(interval) || 0)
        lockTimer.restart()
    }
    function setCurrentDPI(dpiValue) {
        // Before the screen is built its start reads the stage itself.
        if (Number(dpiValue) !== 0 && isPownOn)
            dpiSetting.currentDPI = Number(dpiValue) - 1
    }
    // The no-mouse screen covers the window until a device check opens a
    // mouse; initUI follows as usual then.
    function setDeviceState(state) {
        deviceState = Number(state)
        if (deviceState !== 0)
            visible = true
    }
    function detectKeyboard(isDown, usbCode) { msg_KB(isDown, usbCode) }
    function detectMouse(isDown, buttonCode, x, y) { msg_MS(isDown, buttonCode, x, y) }

    function readFlags() {
        isColorful = asBool(globalValue("mouse/isColorful", isColorful))
        icType = String(globalValue("mouse/icType", icType))
        is55328 = asBool(globalValue("mouse/is55328", is55328))
        isGun = asBool(globalValue("mouse/isGun", isGun))
        mouseMain.keyCount = Number(globalValue("mouse/keyCount", mouseMain.keyCount))
        keyMatrix.keyCount = Math.min(8, mouseMain.keyCount)
        language = String(globalValue("common/language", language))
        url = String(globalValue("common/url", url))
    }
    function loadStrings() {
        mainLang = ui_View.getLangStrings("main", language)
        keyMatrix.keyMatrixLang = ui_View.getLangStrings("keyMatrix", language)
        keyAssigment.keyAssigmentLang = ui_View.getLangStrings("keyAssigment", language)
        dpiSetting.dpiSettingLang = ui_View.getLangStrings("dpiSetting", language)
        lightControl.lightControlLang = ui_View.getLangStrings("lightControl", language)
        macroEditor.macroEditorLang = ui_View.getLangStrings("macroEditor", language)
        var captureLang = ui_View.getLangStrings("capture", language)
        if (lang(captureLang, 0) !== "")
            macroEditor.focusNote = lang(captureLang, 0)
        systemSetting.systemSettingLang = ui_View.getLangStrings("systemSetting", language)
        gunControl.gunControlLang = ui_View.getLangStrings("gunControl", language)
        profile.profileLang = ui_View.getLangStrings("profile", language)
        keyCodeString.keyCodeStr = ui_View.getLangStrings("keyCode", language)
        ui_View.getLangStrings("other", language)
    }

    // Calls from the pages
    function mainFocus() {
        dpiSetting.dpiSegment.closeMenu()
        menuUp.profileBtn.closeMenu()
        lightControl.lightModel.closeMenu()
        aboutMenu.visible = false
    }
    function controlUIEnable(isEnable) {
        busy.setBusy(!isEnable)
        setViewEnabled(isEnable)
    }
    function showMask() { mask.visible = true }
    function hideMask() { mask.visible = false }

    // For the session bus (shell/controlservice.cpp): what the window shows
    // that scripts read; the service is told whenever any of it changes.
    readonly property var outsideState: isPownOn ? ({
        "profile": profile.profileNo,
        "profiles": profileRows(),
        "dpiStage": dpiSetting.currentDPI + 1,
        // Stage edits waiting for Save are not on the mouse yet.
        "dpiStages": dpiSetting.isSave ? null : dpiSetting.dpiValueArray.slice(0, dpiSetting.currentDpiCount),
        "reportRate": dpiSetting.reportRate > 0 ? Math.round(1000 / dpiSetting.reportRate) : 0
    }) : null
    function profileRows() {
        var rows = profile.profileDataModel0
        var out = []
        for (var i = 0; i < rows.count; ++i)
            out.push([rows.get(i).profileNo, rows.get(i).textValue])
        return out
    }
    // Requests from outside the window wait for the lock to end and for
    // edits to be saved: "busy", "unsaved", or "" when the window may act.
    function outsideRefusal() {
        if (!isPownOn || busy.isBusy)
            return "busy"
        // The assignment dialog and the gun editor hold edits until closed.
        return isPending || keyAssigment.visible || gunControl.isSave ? "unsaved" : ""
    }
    function selectProfile(number) {
        switchProfile(number)
        profile.syncTopList()
    }
    function selectDpiStage(stage) { dpiSetting.chooseStage(stage - 1) }
    function selectReportRate(index) {
        dpiSetting.reportRateList.currentSelect = index
        dpiSetting.chooseRate(index)
    }

    // Actions
    function save() {
        mainFocus()
        // Nothing pending: no lock, and a running busy lock is left alone.
        if (!isPending)
            return
        controlUIEnable(false)
        if (keyMatrix.isSave) {
            keyMatrix.isSave = false
            keyMatrix.saveData()
        }
        if (dpiSetting.isSave) {
            dpiSetting.isSave = false
            dpiSetting.saveData(true)
        }
        if (lightControl.isSave) {
            lightControl.isSave = false
            lightControl.saveData(true, 0)
        }
        controlUIEnable(true)
    }
    function reinitPages() {
        keyMatrix.init(true, false)
        dpiSetting.init(true, false)
        lightControl.init(true, false)
        systemSetting.init(true, false)
        if (isGun) {
            ui_View.mouseSwitchKeyMatrix(1)
            ui_View.mouseResetKeyMatrix()
        }
    }
    function switchProfile(tmpProfileNo) {
        if (tmpProfileNo === profile.profileNo)
            return
        controlUIEnable(false)
        profile.profileNo = tmpProfileNo
        ui_View.setGlobalData("mouse/profileNo", profile.profileNo)
        ui_View.setCurrentProfile(profile.profileNo)
        reinitPages()
        controlUIEnable(true)
    }
    // The active profile's file was replaced (an import over it): the pages
    // read it and send it as a switch to it would. Their unsaved edits
    // belonged to the old file and are dropped.
    function reloadProfile() {
        controlUIEnable(false)
        keyMatrix.isSave = false
        dpiSetting.isSave = false
        lightControl.isSave = false
        ui_View.setCurrentProfile(profile.profileNo)
        reinitPages()
        controlUIEnable(true)
    }
    function openReset() {
        mainFocus()
        resetBox.centre()
        resetBox.visible = true
        showMask()
    }
    function factoryReset() {
        controlUIEnable(false)
        resetBox.visible = false
        hideMask()
        keyMatrix.isSave = false
        dpiSetting.isSave = false
        lightControl.isSave = false
        ui_View.resetProfile(profile.profileNo)
        reinitPages()
        ui_View.mouseSetCurrentDPI(2)
        dpiSetting.currentDPI = 1
        gunControl.resetData()
        controlUIEnable(true)
    }
    function openDialog(dialog, recentre) {
        if (recentre)
            dialog.centre()
        dialog.visible = true
        showMask()
    }
    function openAbout() { aboutMenu.visible = true }
    function openProfile() {
        openDialog(profile, true)
        mainFocus()
    }
    function openGun() {
        if (!isGun)
            return
        openDialog(gunControl, !gunPlaced)
        gunPlaced = true
        mainFocus()
    }
    function openMacroEditor() {
        mainFocus()
        openDialog(macroEditor, true)
        if (macroEditor.macroModel.count > 0)
            macroEditor.selectMacro(0)
    }
    function openLightEffects() {
        mainFocus()
        lightControl.lightModel.openMenu()
    }

    // Key slots bound to a macro: code0 04 and the name stored for code2.
    function slotCodes(j) {
        var k = j < keyMatrix.modKeys.count ? keyMatrix.modKeys.get(j) : null
        return k ? [Number(k.keyCode0), Number(k.keyCode1), Number(k.keyCode2), Number(k.keyCode3)]
                 : [0, 0, 0, 0]
    }
    function setSlotCodes(j, codes) {
        if (j < keyMatrix.modKeys.count)
            keyMatrix.modKeys.set(j, keyMatrix.slotOf(codes))
    }
    function slotsBoundTo(macroName) {
        var out = []
        for (var j = 0; j < 16; ++j) {
            var codes = slotCodes(j)
            if (codes[0] === 4 && String(ui_View.getData("mouseMacroKey/" + codes[2], false)) === macroName)
                out.push(j)
        }
        return out
    }
    function macroChanged(macroName) {
        for (var j of slotsBoundTo(macroName))
            macroEditor.sendMacro(j, macroName)
    }
    function macroRenamed(oldMacroName, newMacroName) {
        for (var j of slotsBoundTo(oldMacroName)) {
            ui_View.setData("mouseMacroKey/" + slotCodes(j)[2], newMacroName)
            setSlotCodes(j, slotCodes(j)) // shows the new name
        }
        ui_View.modifyMacroNameUpdateProfile(oldMacroName, newMacroName)
    }
    function macroDeleted(macroName) {
        for (var j of slotsBoundTo(macroName)) {
            var factory = ui_View.mouseGetKeydefine(j, true)
            setSlotCodes(j, [Number(factory[0]), Number(factory[1]), Number(factory[2]), Number(factory[3])])
            keyMatrix.saveData()
        }
        ui_View.deleteMacroUpdateProfile(macroName)
    }
    function aboutChosen(index) {
        if (index === 0)
            Qt.openUrlExternally(url)
        aboutMenu.visible = false
    }

    onMsg_KB: function (isDown, usbCode) {
        if (!isPownOn)
            return
        if (keyAssigment.isFireInput)
            keyAssigment.detectKeyboard(isDown, usbCode, 0)
        if (keyAssigment.isComboInput)
            keyAssigment.detectKeyboard(isDown, usbCode, 1)
        if (macroEditor.macroNumber_lv.currentIndex >= 0) {
            if (macroEditor.isInputting)
                macroEditor.detectKeyboard(isDown, usbCode)
            if (macroEditor.isInsertting)
                macroEditor.detectInput(isDown, usbCode)
        }
    }

    Timer {
        id: lockTimer
        objectName: "lockTimer"
        interval: 1000
        repeat: false
        // Until the screen is built the lock stays; startScreen ends it.
        onTriggered: {
            if (mainWindow.isPownOn)
                mainWindow.unlock()
        }
    }

    Image {
        id: powerOnLogo
        objectName: "powerOnLogo"
        anchors.centerIn: parent
        source: "qrc:/index/modules/img/skin1/index/powerOn.png"
    }
    Connections {
        id: logoFrame
        target: null
        // Emitted on the GUI thread just before the frame is drawn; the build
        // starts from the event loop once that frame is done.
        function onAfterAnimating() {
            logoFrame.target = null
            Qt.callLater(function () { screen.active = true })
        }
    }
    // Built after the first initUI, in slices between frames, so the logo
    // shows at once and the screen is ready before the power-on lock ends.
    Loader {
        id: screen
        objectName: "screen"
        active: false
        asynchronous: true
        source: "common/MainScreen.qml"
        onLoaded: mainWindow.startScreen()
        // Without its screen the program cannot work; say why it stays locked.
        onStatusChanged: if (status === Loader.Error) console.error("The main screen could not be built: " + source)
    }

    Loader {
        id: noMouseScreen
        objectName: "noMouseScreen"
        z: 900
        active: mainWindow.deviceState !== 0
        source: "common/NoMouseScreen.qml"
        // A language file from before this screen existed keeps the defaults.
        onLoaded: {
            var texts = hasBackEnd() ? ui_View.getLangStrings("noMouse", String(globalValue("common/language", language))) : []
            if (texts.length > 0)
                item.texts = texts
            item.deviceState = Qt.binding(function () { return mainWindow.deviceState })
            item.textColor = Theme.fontColor
            item.hintColor = Theme.colorGray3
            item.fontName = Theme.fontFamily
            item.controller = ui_Ctl
        }
    }
    Connections {
        target: noMouseScreen.item
        function onMinimizeClicked() { if (mainWindow.hasController()) ui_Ctl.onMinimize() }
        function onCloseClicked() { if (mainWindow.hasController()) ui_Ctl.onClose() }
    }

    BusyIndicator {
        id: busy
        objectName: "busy"
        z: 1000
    }
}
