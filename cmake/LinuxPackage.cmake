# The Linux installation and its Debian package ("cpack -G DEB" in the build folder): the
# program and tarneljava-cmd in lib/tarneljava (the applet viewer beside them, see java/), a
# tarneljava command in bin, the menu entry, icons, AppStream metadata, copyright and changelog.

include(GNUInstallDirs)
set(TARNEL_INSTALL_DIR lib/tarneljava)
install(TARGETS TarnelJava tarneljava-cmd RUNTIME DESTINATION ${TARNEL_INSTALL_DIR})
# Installed for every user: each keeps Setting.ini in the own configuration folder, also root,
# who could write beside the program.
install(FILES resources/linux/user-settings DESTINATION ${TARNEL_INSTALL_DIR})

# The command, the menu entry (which names the program by its installed path, quoted for a
# prefix with spaces) and the metadata, all below DESTDIR when the installation is staged.
install(CODE "
    set(root \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}\")
    file(MAKE_DIRECTORY \"\${root}/${CMAKE_INSTALL_BINDIR}\")
    file(CREATE_LINK ../${TARNEL_INSTALL_DIR}/TarnelJava \"\${root}/${CMAKE_INSTALL_BINDIR}/tarneljava\" SYMBOLIC)
    message(STATUS \"Installing: \${root}/${CMAKE_INSTALL_BINDIR}/tarneljava\")
    set(TARNEL_PROGRAM_DIR \"\${CMAKE_INSTALL_PREFIX}/${TARNEL_INSTALL_DIR}\")
    set(TARNEL_PROGRAM \"\${TARNEL_PROGRAM_DIR}/TarnelJava\")
    configure_file(${PROJECT_SOURCE_DIR}/resources/linux/tarneljava.desktop.in
        \"\${root}/${CMAKE_INSTALL_DATADIR}/applications/tarneljava.desktop\" @ONLY)
    message(STATUS \"Installing: \${root}/${CMAKE_INSTALL_DATADIR}/applications/tarneljava.desktop\")
")
foreach(size 16 22 24 32 48 64 128 256)
    install(FILES resources/icons/tarneljava-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME tarneljava.png)
endforeach()
install(FILES resources/icons/tarneljava.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
configure_file(resources/linux/org.example.tarneljava.metainfo.xml
               ${PROJECT_BINARY_DIR}/package/org.example.tarneljava.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/package/org.example.tarneljava.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/package/tarneljava.1.gz
    COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/resources/linux/tarneljava.1 > ${PROJECT_BINARY_DIR}/package/tarneljava.1.gz
    DEPENDS resources/linux/tarneljava.1)
install(FILES ${PROJECT_BINARY_DIR}/package/tarneljava.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/package/zh_CN)
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/package/zh_CN/tarneljava.1.gz
    COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/resources/linux/tarneljava.zh_CN.1 > ${PROJECT_BINARY_DIR}/package/zh_CN/tarneljava.1.gz
    DEPENDS resources/linux/tarneljava.zh_CN.1)
install(FILES ${PROJECT_BINARY_DIR}/package/zh_CN/tarneljava.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/zh_CN/man1)

# Debian's documentation files: the copyright in Debian's format, the changelog compressed.
set(TARNEL_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/tarneljava)
file(READ LICENSE TARNEL_LICENSE_TEXT)
string(REGEX REPLACE "\n\n" "\n .\n" TARNEL_LICENSE_TEXT "${TARNEL_LICENSE_TEXT}")
string(REGEX REPLACE "\n([^ ])" "\n \\1" TARNEL_LICENSE_TEXT "${TARNEL_LICENSE_TEXT}")
file(WRITE ${PROJECT_BINARY_DIR}/package/copyright
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: TarnelJava
Source: https://example.org/tarneljava/

Files: *
Copyright: 2026 TarnelJava 开发组
License: MIT
 ${TARNEL_LICENSE_TEXT}")
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/package/changelog.gz
    COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/resources/linux/changelog > ${PROJECT_BINARY_DIR}/package/changelog.gz
    DEPENDS resources/linux/changelog)
add_custom_target(tarnel_package_docs ALL DEPENDS ${PROJECT_BINARY_DIR}/package/changelog.gz
                                                 ${PROJECT_BINARY_DIR}/package/tarneljava.1.gz
                                                 ${PROJECT_BINARY_DIR}/package/zh_CN/tarneljava.1.gz)
install(FILES ${PROJECT_BINARY_DIR}/package/copyright ${PROJECT_BINARY_DIR}/package/changelog.gz
        DESTINATION ${TARNEL_DOC_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarneljava)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "TarnelJava 开发组")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "compile and run single-file Java programs with one click")
set(CPACK_PACKAGE_DESCRIPTION
"TarnelJava is a small desktop tool with a Chinese user interface for learners
of Java: type or open a program of one file, and one click compiles it with
javac and runs it with java (or shows an applet) in a console window.
It finds a JDK that is not on PATH, compiles programs with a package line and
brings its own applet viewer for the JDKs that no longer have one.

中文：给 Java 初学者的编译器，一键编译并运行单文件 Java 程序（编译、运行、学习）。")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "TarnelJava 开发组 <tarneljava@users.noreply.github.com>")
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://example.org/tarneljava/)
# The libraries, found by dpkg-shlibdeps, and what a build needs at run time: a JDK, a terminal
# for the console, a font with Chinese and Qt's own Chinese texts.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "default-jdk | java-sdk, xterm | x-terminal-emulator, fonts-wqy-microhei | fonts-noto-cjk | fonts-arphic-uming, qt6-translations-l10n")
set(CPACK_STRIP_FILES TRUE)
include(CPack)
