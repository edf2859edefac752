# What a Debian user's install carries besides the program and its icons, and the package that
# carries it: cmake --build BUILD --target package makes veltaro_VERSION_ARCH.deb.
set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/veltaro)
set(packed ${CMAKE_BINARY_DIR}/packaging)

# A package built from a checkout that is not a tagged release carries a snapshot version, so
# that installing a newer build replaces an older one: 1.00+git20261207.697a4b3 (the commit's
# date and name) sorts after 1.00 and after every earlier snapshot.
set(VELTARO_PACKAGE_VERSION ${PROJECT_VERSION})
find_package(Git QUIET)
if(GIT_FOUND AND EXISTS ${PROJECT_SOURCE_DIR}/.git)
    execute_process(COMMAND ${GIT_EXECUTABLE} describe --exact-match --tags HEAD
                    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                    RESULT_VARIABLE not_a_release OUTPUT_QUIET ERROR_QUIET)
    execute_process(COMMAND ${GIT_EXECUTABLE} log -1 --format=%cd.%h --date=format:%Y%m%d
                    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                    OUTPUT_VARIABLE snapshot OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(not_a_release AND snapshot)
        set(VELTARO_PACKAGE_VERSION "${PROJECT_VERSION}+git${snapshot}")
    endif()
    # A new commit is a new version: configure again when HEAD moves.
    if(EXISTS ${PROJECT_SOURCE_DIR}/.git/logs/HEAD)
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
                     ${PROJECT_SOURCE_DIR}/.git/logs/HEAD)
    endif()
endif()

# The manual page, the changelog and the AppStream metadata carry the project's version.
configure_file(${PROJECT_SOURCE_DIR}/data/veltaro.1.in ${packed}/veltaro.1 @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/data/veltaro.zh_CN.1.in ${packed}/zh_CN/veltaro.1 @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/packaging/changelog.in ${packed}/changelog @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/data/veltaro.metainfo.xml.in ${packed}/veltaro.metainfo.xml
               @ONLY)

# Debian keeps manual pages and changelogs compressed, without names or times inside.
find_program(GZIP_PROGRAM gzip REQUIRED)
add_custom_command(OUTPUT ${packed}/veltaro.1.gz ${packed}/zh_CN/veltaro.1.gz ${packed}/changelog.gz
    COMMAND ${GZIP_PROGRAM} -9nc ${packed}/veltaro.1 > ${packed}/veltaro.1.gz
    COMMAND ${GZIP_PROGRAM} -9nc ${packed}/zh_CN/veltaro.1 > ${packed}/zh_CN/veltaro.1.gz
    COMMAND ${GZIP_PROGRAM} -9nc ${packed}/changelog > ${packed}/changelog.gz
    DEPENDS ${packed}/veltaro.1 ${packed}/zh_CN/veltaro.1 ${packed}/changelog
    VERBATIM)
add_custom_target(veltaro_packed_docs ALL DEPENDS ${packed}/veltaro.1.gz ${packed}/zh_CN/veltaro.1.gz
                  ${packed}/changelog.gz)

install(FILES ${packed}/veltaro.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# The same page in Chinese, where `man veltaro` finds it under a Chinese locale.
install(FILES ${packed}/zh_CN/veltaro.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/zh_CN/man1)
# `man Veltaro` finds the page under the executable's own name too.
install(CODE "file(CREATE_LINK veltaro.1.gz
    \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_MANDIR}/man1/Veltaro.1.gz\" SYMBOLIC)")
install(FILES ${packed}/changelog.gz ${PROJECT_SOURCE_DIR}/packaging/copyright
        DESTINATION ${doc_dir})
install(FILES ${packed}/veltaro.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME veltaro)
set(CPACK_PACKAGE_VERSION ${VELTARO_PACKAGE_VERSION})
set(CPACK_PACKAGE_VENDOR "The Veltaro developers")
set(CPACK_PACKAGE_CONTACT "The Veltaro developers <developers@veltaro.invalid>")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX ${VELTARO_PACKAGE_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_VERSION ${VELTARO_PACKAGE_VERSION})
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Without a CJK font the captions are boxes; without Qt's translations the dialogs' buttons are
# in English.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wqy-microhei | fonts-noto-cjk, qt6-translations-l10n")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "weather-satellite cloud image viewer")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Veltaro shows one weather-satellite cloud image for a moment you pick.
Choose the year (2006 to 2009), month, day and hour in Beijing time and
press the show button: the program converts the moment to UTC, downloads
the matching image from the public image archive and shows it in a large
viewport that scroll bars, the mouse wheel and dragging pan.

The window and its texts are in Chinese. The program needs an Internet
connection, or a proxy server named in http_proxy.")
# Directories in the package as Debian expects them, whatever the builder's umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
