# Installation under /usr and the Debian package: the monitor, the simulated bench, the desktop
# entry with its icon and the documentation. Test programs, the tour and the benchmarks stay out.
include(GNUInstallDirs)

install(TARGETS zta-monitor zta-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES packaging/zta-monitor.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES packaging/zta-monitor.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The README's pictures are linked as docs/<name>.png, so the folder keeps its name.
set(ZTA_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/zta-monitor)
install(FILES README.md DESTINATION ${ZTA_DOC_DIR})
install(DIRECTORY docs/ DESTINATION ${ZTA_DOC_DIR}/docs FILES_MATCHING PATTERN "*.md" PATTERN "*.png")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zta-monitor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "ZTA Monitor team")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# Debian shows the long description as it is written: lines kept short, a blank line between paragraphs.
set(CPACK_PACKAGE_DESCRIPTION [=[
The operator's program for the ZTA-01 bench, which verifies ultrasonic flow
meters by imitation. It talks Modbus RTU to the bench's flow imitation module,
pulse counter and DC current meter on one serial line and to the meter under
test on another: it finds the modules, imitates flow rates and volumes,
verifies the bench itself, tunes and calibrates the modules and shows what the
meter should read beside what it reads. Its user interface is in Russian.

The package also holds zta-sim, a simulated bench and meter that speak Modbus
RTU over pseudo-terminals, so that the monitor can be tried without hardware.]=])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The Qt libraries and the rest come from the binaries themselves (dpkg-shlibdeps, from dpkg-dev)
# and join the packages named here: Qt's Russian texts for its own dialogs and buttons, and the
# SQLite driver of Qt SQL, a plugin no binary links, for the protocol archive.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n, libqt6sql6-sqlite")

include(CPack)
