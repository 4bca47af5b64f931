# SPDX-License-Identifier: GPL-3.0-or-later
# A Debian package of Patchwright made with CPack: `cpack -G DEB` in a build folder.
# The desktop entry, the preset MIME types and the icon are installed with the
# program (src/ui); Debian's triggers refresh the MIME, menu and icon caches.

set(CPACK_PACKAGE_NAME patchwright)
set(CPACK_PACKAGE_VENDOR "Patchwright developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Patchwright opens RP series guitar multi-effects presets, checks every parameter\n"
    "against a target model, converts the preset for that model and saves it.")
set(CPACK_PACKAGE_HOMEPAGE_URL "${PROJECT_HOMEPAGE_URL}")
set(CPACK_PACKAGE_INSTALL_DIRECTORY patchwright)
set(CPACK_STRIP_FILES ON)

set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Patchwright developers <patchwright@example.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${PROJECT_HOMEPAGE_URL}")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils, hicolor-icon-theme")

# The runtime libraries (Qt 6 Widgets, pugixml, the C++ runtime) are worked out
# from the binaries where dpkg-shlibdeps is at hand, and listed by hand elsewhere.
find_program(PW_DPKG_SHLIBDEPS dpkg-shlibdeps)
# The platform plugins that show the window are loaded at run time, so no library
# dependency names them.
if(PW_DPKG_SHLIBDEPS)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
else()
    set(CPACK_DEBIAN_PACKAGE_DEPENDS
        "libqt6widgets6 (>= 6.2), libqt6gui6 (>= 6.2), libqt6core6 (>= 6.2), qt6-qpa-plugins, libpugixml1v5, libstdc++6, libc6")
endif()

include(CPack)
