# SPDX-License-Identifier: GPL-3.0-or-later
# A Debian package of Patchwright made with CPack: ./packaging/build-deb.sh builds it
# with the distribution's flags and runs `cpack -G DEB`. The desktop entry, the preset
# MIME types and the icon are installed with the program (src/ui); Debian's triggers
# refresh the MIME, menu and icon caches. The manual pages, the shell completion, the
# AppStream metadata, the copyright file and the changelog are installed here.

set(PW_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(PW_PACKAGE_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/patchwright)
set(PW_PACKAGE_OUT ${PROJECT_BINARY_DIR}/packaging)
find_program(PW_GZIP gzip REQUIRED)

# Debian wants manual pages and changelogs compressed, without a time stamp.
function(pw_gzip input output)
    add_custom_command(OUTPUT ${output}
        COMMAND ${PW_GZIP} -9nc ${input} > ${output}
        DEPENDS ${input} VERBATIM)
endfunction()

set(PW_PACKAGE_FILES ${PW_PACKAGE_OUT}/changelog.Debian.gz)
pw_gzip(${PW_PACKAGING_DIR}/changelog ${PW_PACKAGE_OUT}/changelog.Debian.gz)
install(FILES ${PW_PACKAGING_DIR}/copyright ${PW_PACKAGE_OUT}/changelog.Debian.gz
        DESTINATION ${PW_PACKAGE_DOCDIR})
install(FILES ${PW_PACKAGING_DIR}/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME patchwright)

if(TARGET patchwright)
    configure_file(${PW_PACKAGING_DIR}/patchwright.1 ${PW_PACKAGE_OUT}/patchwright.1 @ONLY)
    pw_gzip(${PW_PACKAGE_OUT}/patchwright.1 ${PW_PACKAGE_OUT}/patchwright.1.gz)
    list(APPEND PW_PACKAGE_FILES ${PW_PACKAGE_OUT}/patchwright.1.gz)
    install(FILES ${PW_PACKAGE_OUT}/patchwright.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    install(FILES ${PW_PACKAGING_DIR}/invalid.example.patchwright.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()
if(TARGET patchwright-cli)
    # The command line program's page is made from its --help.
    add_custom_command(OUTPUT ${PW_PACKAGE_OUT}/patchwright-cli.1
        COMMAND ${PW_PACKAGING_DIR}/cli-help-to-man.sh $<TARGET_FILE:patchwright-cli>
                ${PROJECT_VERSION} ${PW_PACKAGE_OUT}/patchwright-cli.1
        DEPENDS patchwright-cli ${PW_PACKAGING_DIR}/cli-help-to-man.sh VERBATIM)
    pw_gzip(${PW_PACKAGE_OUT}/patchwright-cli.1 ${PW_PACKAGE_OUT}/patchwright-cli.1.gz)
    list(APPEND PW_PACKAGE_FILES ${PW_PACKAGE_OUT}/patchwright-cli.1.gz)
    install(FILES ${PW_PACKAGE_OUT}/patchwright-cli.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    install(FILES ${PW_PACKAGING_DIR}/patchwright-cli.bash
            DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
            RENAME patchwright-cli)
endif()
add_custom_target(pw_package_files ALL DEPENDS ${PW_PACKAGE_FILES})

set(CPACK_PACKAGE_NAME patchwright)
set(CPACK_PACKAGE_VENDOR "Patchwright developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# The Debian revision: the package's changelog names the same version.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Patchwright opens RP series guitar multi-effects presets, checks every\n"
    "parameter against a target model, converts the preset for that model and\n"
    "saves it. patchwright-cli does the same from the command line.")
set(CPACK_PACKAGE_HOMEPAGE_URL "${PROJECT_HOMEPAGE_URL}")
set(CPACK_PACKAGE_INSTALL_DIRECTORY patchwright)
set(CPACK_STRIP_FILES ON)
set(CPACK_PRE_BUILD_SCRIPTS ${PW_PACKAGING_DIR}/strip-comments.cmake)

set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Patchwright developers <patchwright@example.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${PROJECT_HOMEPAGE_URL}")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils, hicolor-icon-theme")

# The runtime libraries (Qt 6 Widgets, the C++ runtime) are worked out
# from the binaries where dpkg-shlibdeps is at hand, and listed by hand elsewhere.
find_program(PW_DPKG_SHLIBDEPS dpkg-shlibdeps)
# The platform plugins that show the window are loaded at run time, so no library
# dependency names them.
if(PW_DPKG_SHLIBDEPS)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
else()
    set(CPACK_DEBIAN_PACKAGE_DEPENDS
        "libqt6widgets6 (>= 6.2), libqt6gui6 (>= 6.2), libqt6core6 (>= 6.2), qt6-qpa-plugins, libarchive13, libtbb12, libsqlite3-0, libstdc++6, libc6")
endif()

include(CPack)
