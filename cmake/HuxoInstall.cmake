# Installation: the program folder (the binary with every asset beside it, as in build/), a command on the
# PATH that points into it, and the desktop entry, icons and AppStream metainfo in their usual places.
# `cmake --install build --prefix DIR`, or `make install`; CPack turns the same rules into a Debian package.
set(HUXO_INSTALL_PROGRAMDIR "lib/huxo" CACHE STRING "Program folder under the prefix: the binary and its assets")
set(HUXO_APP_ID "org.huxo.Huxo")

install(TARGETS huxo RUNTIME DESTINATION ${HUXO_INSTALL_PROGRAMDIR})
# The modules loaded on first use sit beside the binary, where it looks for them.
install(TARGETS huxo_net huxo_sound huxo_print LIBRARY DESTINATION ${HUXO_INSTALL_PROGRAMDIR})
# Every file of assets/, including those added later, without a list to keep in step.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/assets/ DESTINATION ${HUXO_INSTALL_PROGRAMDIR}
    PATTERN CMakeLists.txt EXCLUDE)

# A relative link, so that the installed tree can be moved or packaged; the program finds its folder through it.
file(RELATIVE_PATH huxo_link_target /bin /${HUXO_INSTALL_PROGRAMDIR}/huxo)
file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/install)
file(CREATE_LINK ${huxo_link_target} ${PROJECT_BINARY_DIR}/install/huxo SYMBOLIC)
install(FILES ${PROJECT_BINARY_DIR}/install/huxo DESTINATION bin)

set(desktop ${PROJECT_SOURCE_DIR}/desktop)
install(FILES ${desktop}/${HUXO_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${desktop}/${HUXO_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES ${desktop}/icons/${HUXO_APP_ID}.svg DESTINATION share/icons/hicolor/scalable/apps)
install(DIRECTORY ${desktop}/icons/hicolor/ DESTINATION share/icons/hicolor)

# The manual page and the package's change log, compressed as Debian keeps them (no name or time stamp inside, so
# that every build gives the same bytes), and the licences of everything installed.
foreach(compressed docs/huxo.1 package/changelog)
    get_filename_component(name ${compressed} NAME)
    set(output ${PROJECT_BINARY_DIR}/install/${name}.gz)
    add_custom_command(OUTPUT ${output}
        COMMAND sh -c "gzip -9n -c \"$1\" > \"$2\"" gzip ${PROJECT_SOURCE_DIR}/${compressed} ${output}
        DEPENDS ${PROJECT_SOURCE_DIR}/${compressed} VERBATIM)
    list(APPEND huxo_compressed_docs ${output})
endforeach()
add_custom_target(huxo_compressed_docs ALL DEPENDS ${huxo_compressed_docs})
install(FILES ${PROJECT_BINARY_DIR}/install/huxo.1.gz DESTINATION share/man/man1)
install(FILES ${PROJECT_BINARY_DIR}/install/changelog.gz ${PROJECT_SOURCE_DIR}/package/copyright
    DESTINATION share/doc/huxo)
install(FILES ${PROJECT_SOURCE_DIR}/package/lintian-overrides DESTINATION share/lintian/overrides RENAME huxo)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME huxo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "world time-zone clock with seven clocks side by side")
set(CPACK_PACKAGE_DESCRIPTION "HUXO shows the local time, GMT / UTC and five clocks set to places of your\n\
choice in one small window, with a reminder alarm, a calendar and time\n\
correction from the internet.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The HUXO team <team@huxo-clock.net>")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.huxo-clock.net/")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# The libraries the binary links are found by dpkg-shlibdeps; the platform plugins, the fonts the windows are
# designed with, the time-zone database of the zone hints and the certificate store that HTTPS trusts are used at
# run time, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation, tzdata, ca-certificates")
# A Wayland session without XWayland needs the native platform plugin.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_STRIP_FILES ON)
include(CPack)
