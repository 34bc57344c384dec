# Installed layout: the program, its factory data tree, device access and
# desktop integration. The demo and the test tools stay in the build.
include(GNUInstallDirs)

# Installing and packaging take what the build made and never build: cpack
# runs the "preinstall" target first, which would otherwise rebuild every
# target (and rewrite bin/modules) in the folder being packaged, racing any
# build or test working there at the same time.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

# One udev line per vendor/product pair of the shipped device list.
file(STRINGS ${CMAKE_SOURCE_DIR}/modules/setting/apConfig.bin config_lines)
set(NORVANE_UDEV_LINES "")
set(vid "")
foreach(line ${config_lines})
  if(line MATCHES "^vid=([0-9a-fA-F]+)")
    string(TOLOWER ${CMAKE_MATCH_1} vid)
  elseif(line MATCHES "^pid=([0-9a-fA-F]+)" AND vid)
    string(TOLOWER ${CMAKE_MATCH_1} pid)
    string(APPEND NORVANE_UDEV_LINES
      "SUBSYSTEM==\"hidraw\", ATTRS{idVendor}==\"${vid}\", ATTRS{idProduct}==\"${pid}\", TAG+=\"uaccess\"\n")
    set(vid "")
  endif()
endforeach()
string(STRIP "${NORVANE_UDEV_LINES}" NORVANE_UDEV_LINES)
configure_file(${CMAKE_SOURCE_DIR}/data/71-norvane.rules.in ${CMAKE_BINARY_DIR}/71-norvane.rules @ONLY)

install(TARGETS norvane norvane-warn norvanectl RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/modules/setting ${CMAKE_SOURCE_DIR}/modules/img
                  ${CMAKE_SOURCE_DIR}/modules/i18n ${CMAKE_SOURCE_DIR}/modules/gun
                  ${CMAKE_SOURCE_DIR}/modules/macro
        DESTINATION ${CMAKE_INSTALL_DATADIR}/norvane/modules
        PATTERN ".keep" EXCLUDE)
install(FILES ${CMAKE_BINARY_DIR}/71-norvane.rules DESTINATION lib/udev/rules.d)
install(FILES ${CMAKE_SOURCE_DIR}/data/norvane.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/data/norvane.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_SOURCE_DIR}/data/example.norvane.N1.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/data/norvane.1 ${CMAKE_SOURCE_DIR}/data/norvanectl.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_PACKAGE_NAME norvane)
set(CPACK_PACKAGE_VENDOR Norvane)
set(CPACK_PACKAGE_CONTACT "Norvane <support@norvane.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Configuration utility for the Norvane N1 gaming mouse")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Run-time QML modules and the interface's font are not found by shlibdeps.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "qml6-module-qtquick, qml6-module-qtquick-window, qml6-module-qtqml-workerscript, fonts-wqy-microhei")
# Qt's Wayland backend: without it a Wayland desktop runs the program under
# XWayland, where neither recording in its own window nor dragging works.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
  ${CMAKE_SOURCE_DIR}/data/debian/postinst ${CMAKE_SOURCE_DIR}/data/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
