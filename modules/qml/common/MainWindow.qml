import QtQuick
import "../basic"

// The main window: the functions the back end calls, the actions that span
// pages (save, profile switch, reset), the power-on logo and the screen
// built behind it. Its state is in MainWindowBase.qml.
MainWindowBase {
    id: mainWindow

    // The first Tab goes to the screen's first control.
    focus: true
    Keys.onTabPressed: KeyFocus.tab(mainWindow, true)
    Keys.onBacktabPressed: KeyFocus.tab(mainWindow, false)
    // Keys being recorded are not control keys meanwhile.
    Binding {
        target: KeyFocus
        property: "keysCaptured"
        value: !!(mainWindow.keyAssigment && (mainWindow.keyAssigment.isFireInput || mainWindow.keyAssigment.isComboInput))
               || !!(mainWindow.macroEditor && (mainWindow.macroEditor.isInputting || mainWindow.macroEditor.isInsertting))
    }

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
    // that the build never holds that frame back. A hidden window draws no
    // frame: the screen is built at once, as the bus and the DPI button need it.
    function buildAfterNextFrame() {
        if (Window.window && hostShown)
            logoFrame.target = Window.window
        else
            screen.active = true
    }
    // Set by the host as its window is shown and hidden.
    property bool hostShown: true
    onHostShownChanged: {
        if (!hostShown && logoFrame.target) {
            logoFrame.target = null
            screen.active = true
        }
    }
    // Runs once, when the Loader has built the screen.
    function startScreen() {
        readFlags()
        backEnd.mouseSelectStartProfile()
        loadStrings()
        profile.init()
        profile.profileNo = Number(globalValue("mouse/profileNo", 0))
        menuUp.profileBtn.currentSelect = profile.activeRow
        menuUp.profileBtn.closeMenu()
        backEnd.setCurrentProfile(profile.profileNo)
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
    function highlightCurrentDPI() { dpiSetting.currentDPI = Number(backEnd.mouseGetCurrentDPI()) - 1 }
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
    // A command did not reach the mouse; called while the page's call into
    // the back end is still running, so the page can tell at once.
    function deviceCommandFailed() {
        failedCommands++
        settingsRefused = true
    }
    function refusedText() {
        var text = lang(mainLang, 11)
        return text !== "" ? text : "The mouse did not take the settings. Press Save to try again."
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
        language = String(backEnd.currentLanguage())
        url = String(globalValue("common/url", url))
    }
    function loadStrings() {
        mainLang = backEnd.getLangStrings("main", language)
        keyMatrix.keyMatrixLang = backEnd.getLangStrings("keyMatrix", language)
        keyAssigment.keyAssigmentLang = backEnd.getLangStrings("keyAssigment", language)
        dpiSetting.dpiSettingLang = backEnd.getLangStrings("dpiSetting", language)
        lightControl.lightControlLang = backEnd.getLangStrings("lightControl", language)
        macroEditor.macroEditorLang = backEnd.getLangStrings("macroEditor", language)
        var captureLang = backEnd.getLangStrings("capture", language)
        if (lang(captureLang, 0) !== "")
            macroEditor.focusNote = lang(captureLang, 0)
        systemSetting.systemSettingLang = backEnd.getLangStrings("systemSetting", language)
        gunControl.gunControlLang = backEnd.getLangStrings("gunControl", language)
        profile.profileLang = backEnd.getLangStrings("profile", language)
        keyCodeString.keyCodeStr = backEnd.getLangStrings("keyCode", language)
        backEnd.getLangStrings("other", language)
        Access.texts = backEnd.getLangStrings("access", language)
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
    // Requests from outside the window wait for the lock to end, for the
    // dialogs to close and for edits to be saved: "busy", "dialog:" and the
    // dialog's name, "unsaved", or "" when the window may act.
    function outsideRefusal() {
        if (!isPownOn || busy.isBusy)
            return "busy"
        var dialog = openProfileDialog()
        if (dialog !== "")
            return "dialog:" + dialog
        return isPending || gunControl.isSave ? "unsaved" : ""
    }
    // Each of these acts on the current profile when the user confirms it
    // (or, for the editors, with every edit): a switch from outside would
    // redirect it to a profile the user never chose.
    function openProfileDialog() {
        var dialogs = [[resetBox, "factory reset"], [profile, "profile"],
                       [keyAssigment, "button assignment"], [macroEditor, "macro editor"],
                       [gunControl, "gun editor"], [systemSetting, "system settings"]]
        for (var i = 0; i < dialogs.length; ++i)
            if (dialogs[i][0].visible)
                return dialogs[i][1]
        return ""
    }
    // Each returns whether the mouse took the change.
    function selectProfile(number) {
        var was = profile.profileNo
        var failed = failedCommands
        switchProfile(number)
        var taken = failedCommands === failed
        // Part of the profile may have reached the mouse: it gets the one
        // it had again, whole.
        if (!taken)
            switchProfile(was)
        profile.syncTopList()
        return taken
    }
    function selectDpiStage(stage) { return dpiSetting.chooseStage(stage - 1) }
    function selectReportRate(index) {
        dpiSetting.reportRateList.currentSelect = index
        return dpiSetting.chooseRate(index)
    }

    // Actions
    function save() {
        mainFocus()
        settingsRefused = false
        // Nothing pending: no lock, and a running busy lock is left alone.
        if (!isPending)
            return
        controlUIEnable(false)
        // A panel whose send the mouse did not complete stays pending, so
        // that Save stays lit for another try.
        function send(panel, sendData) {
            if (!panel.isSave)
                return
            var failed = failedCommands
            panel.isSave = false
            sendData()
            if (failedCommands !== failed)
                panel.isSave = true
        }
        send(keyMatrix, function () { keyMatrix.saveData() })
        send(dpiSetting, function () { dpiSetting.saveData(true) })
        send(lightControl, function () { lightControl.saveData(true, 0) })
        settingsRefused = isPending
        controlUIEnable(true)
    }
    function reinitPages() {
        keyMatrix.init(true, false)
        dpiSetting.init(true, false)
        lightControl.init(true, false)
        systemSetting.init(true, false)
        if (isGun) {
            backEnd.mouseSwitchKeyMatrix(1)
            backEnd.mouseResetKeyMatrix()
        }
    }
    // Asked by the host before a close ends the program: true lets it end;
    // with edits pending the user is asked first.
    function confirmQuit() { return !unsavedBox || unsavedBox.confirmQuit() }
    // Every pending flag goes, so that Save's fill and the bus agree with
    // what is really pending.
    function discardEdits() {
        keyMatrix.isSave = false
        dpiSetting.isSave = false
        lightControl.isSave = false
        gunControl.isSave = false
        settingsRefused = false
    }
    function switchProfile(tmpProfileNo) {
        if (tmpProfileNo === profile.profileNo)
            return
        controlUIEnable(false)
        profile.profileNo = tmpProfileNo
        backEnd.setGlobalData("mouse/profileNo", profile.profileNo)
        backEnd.setCurrentProfile(profile.profileNo)
        reinitPages()
        controlUIEnable(true)
    }
    // The active profile's file was replaced (an import over it): the pages
    // read it and send it as a switch to it would. Their unsaved edits
    // belonged to the old file and are dropped.
    function reloadProfile() {
        controlUIEnable(false)
        discardEdits()
        backEnd.setCurrentProfile(profile.profileNo)
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
        discardEdits()
        backEnd.resetProfile(profile.profileNo)
        reinitPages()
        backEnd.mouseSetCurrentDPI(2)
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
        openDialog(macroEditor, true)
        mainFocus()
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
            if (codes[0] === 4 && String(backEnd.getData("mouseMacroKey/" + codes[2], false)) === macroName)
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
            backEnd.setData("mouseMacroKey/" + slotCodes(j)[2], newMacroName)
            setSlotCodes(j, slotCodes(j)) // shows the new name
        }
        backEnd.modifyMacroNameUpdateProfile(oldMacroName, newMacroName)
    }
    // The user has confirmed the deletion, which named these keys: they take
    // their factory assignment at once. The mouse gets the stored key list
    // with that change alone; other key edits still wait for Save.
    function macroDeleted(macroName) {
        for (var j of slotsBoundTo(macroName))
            setSlotCodes(j, keyMatrix.readSlot(j, true))
        var stored = []
        for (var k = 0; k < 16; ++k)
            stored.push(keyMatrix.readSlot(k, false))
        backEnd.deleteMacroUpdateProfile(macroName)
        var flat = []
        var changed = false
        for (k = 0; k < 16; ++k) {
            var now = keyMatrix.readSlot(k, false)
            changed = changed || now.join() !== stored[k].join()
            flat = flat.concat(now)
        }
        if (changed)
            backEnd.mouseSetKeyMatrix(flat, true, gunControl.slotPeriods())
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
        // Above the no-mouse screen while the unsaved-edits question is up.
        z: mainWindow.unsavedBox && mainWindow.unsavedBox.visible ? 950 : 0
        active: false
        asynchronous: true
        // The source comes with the screen's one dependency; nothing loads
        // until the first initUI makes the Loader active.
        Component.onCompleted: setSource("MainScreen.qml", { "mainWindow": mainWindow })
        onLoaded: mainWindow.startScreen()
        // Without its screen the program cannot work; say why it stays locked.
        onStatusChanged: if (status === Loader.Error) console.error("The main screen could not be built: " + source)
    }

    Loader {
        id: noMouseScreen
        objectName: "noMouseScreen"
        z: 900
        active: mainWindow.deviceState !== 0
        source: "NoMouseScreen.qml"
        // A language file from before this screen existed keeps the defaults.
        onLoaded: {
            var texts = mainWindow.hasBackEnd() ? mainWindow.backEnd.getLangStrings("noMouse", String(mainWindow.backEnd.currentLanguage())) : []
            if (texts.length > 0)
                item.texts = texts
            item.deviceState = Qt.binding(function () { return mainWindow.deviceState })
            item.textColor = Theme.fontColor
            item.hintColor = Theme.colorGray3
            item.fontName = Theme.fontFamily
            item.controller = mainWindow.controller
        }
    }
    Connections {
        target: noMouseScreen.item
        function onMinimizeClicked() { if (mainWindow.hasController()) mainWindow.controller.onMinimize() }
        function onCloseClicked() { if (mainWindow.hasController()) mainWindow.controller.onClose() }
    }

    BusyIndicator {
        id: busy
        objectName: "busy"
        z: 1000
    }
}
