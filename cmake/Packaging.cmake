# Installation into the usual prefix locations and the Debian package built from it.
# The designer finds its defaults in <bin>/../share/velmora (see src/app/StartDirectory.h),
# so the data directory must stay at share/velmora beside bin.
include(GNUInstallDirs)

set(VELMORA_DATA_DIR ${CMAKE_INSTALL_DATAROOTDIR}/velmora)

install(TARGETS velmora velmora-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES resources/Texture.bmp resources/SetButton.wav DESTINATION ${VELMORA_DATA_DIR})
install(DIRECTORY Help DESTINATION ${VELMORA_DATA_DIR})
install(FILES resources/velmora.desktop
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)

# The desktop icon is the window icon, converted to PNG at build time.
find_package(Qt6 REQUIRED COMPONENTS Gui)
add_executable(velmora-make-icon tools/make_icon.cpp)
target_link_libraries(velmora-make-icon PRIVATE velmora_options Qt6::Gui)
set(VELMORA_ICON ${CMAKE_BINARY_DIR}/velmora.png)
add_custom_command(
    OUTPUT ${VELMORA_ICON}
    COMMAND velmora-make-icon ${PROJECT_SOURCE_DIR}/resources/bitmaps/MAIN_ICON.bmp
            ${VELMORA_ICON}
    DEPENDS velmora-make-icon ${PROJECT_SOURCE_DIR}/resources/bitmaps/MAIN_ICON.bmp
    VERBATIM)
add_custom_target(velmora-icon ALL DEPENDS ${VELMORA_ICON})
install(FILES ${VELMORA_ICON}
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/48x48/apps)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Velmora developers <velmora@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Racing-course designer")
set(CPACK_PACKAGE_DESCRIPTION
    "Velmora lays out a racing course's centre line as spline points with tangent handles, \
sets the road's widths, bank and height, and exports the road as a quad mesh. \
It includes the designer velmora and the command-line tool velmora-cli.")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
# dpkg-shlibdeps finds the libraries the programs link; what they load at run time, the
# Qt platform plugins, its translations and the Japanese interface font, is named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n, fonts-ipafont-gothic")
include(CPack)
