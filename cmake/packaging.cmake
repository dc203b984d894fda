# Installation and the Debian package.
#
# The program keeps its station files beside its executable, so on Linux the
# real executable goes to a private folder and the launcher in bin/ runs a
# copy of it from each user's station folder in the home folder.

# On Windows the install folder itself is the station folder; windeployqt
# puts the Qt libraries beside the executable there.
if(WIN32)
    install(TARGETS QZ5KV_stationbook RUNTIME DESTINATION .)
    return()
endif()

set(QZ_PROGRAM_DIR ${CMAKE_INSTALL_LIBEXECDIR}/qz5kv-stationbook)
install(TARGETS QZ5KV_stationbook RUNTIME DESTINATION ${QZ_PROGRAM_DIR})

# The launcher finds the program relative to itself, so the installed tree
# works wherever it is unpacked.
file(RELATIVE_PATH QZ_PROGRAM_FROM_LAUNCHER ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBEXECDIR}/qz5kv-stationbook)
configure_file(${PROJECT_SOURCE_DIR}/packaging/qz5kv-stationbook.in ${PROJECT_BINARY_DIR}/packaging/qz5kv-stationbook @ONLY)
install(PROGRAMS ${PROJECT_BINARY_DIR}/packaging/qz5kv-stationbook DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/qz5kv-stationbook.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/qz5kv-stationbook.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qz5kv-stationbook)
set(CPACK_PACKAGE_VENDOR "QZ5KV")
set(CPACK_PACKAGE_CONTACT "QZ5KV Stationbook <stationbook@qz5kv.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION "Every QSO is typed into one window and stored in a shared log in the
user's station folder (~/QZ5KV_Stationbook); from it the program writes a
Cabrillo and an ADIF file per operator. The user interface is Polish.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
# The Qt libraries come from the executable's own links;
# the translations are loaded at run time for the Polish texts of the standard
# buttons, and the contest overview reads cty.dat and MASTER.SCP of
# hamradio-files.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n, hamradio-files")
# rigctld serves the radio whose band and mode the lists follow.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libhamlib-utils")
include(CPack)
