# The Windows program: its resource (icon, version information), a self-contained program
# folder (the program with Qt's DLLs and plugins, the MinGW runtime and Qt's Chinese
# translation), and an installer made with NSIS ("cpack" in the build folder).

enable_language(RC)
set(TARNEL_ICON ${PROJECT_SOURCE_DIR}/resources/windows/icon.ico)
configure_file(${PROJECT_SOURCE_DIR}/resources/windows/TarnelJava.rc.in
               ${PROJECT_BINARY_DIR}/TarnelJava.rc @ONLY)
target_sources(TarnelJava PRIVATE ${PROJECT_BINARY_DIR}/TarnelJava.rc)

# The program folder is the installation: settings are kept beside the program.
install(TARGETS TarnelJava RUNTIME DESTINATION .)
foreach(module Core Gui Widgets)
    install(FILES $<TARGET_FILE:Qt6::${module}> DESTINATION .)
endforeach()
set(TARNEL_QT_PLUGINS ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_PLUGINS})
install(FILES ${TARNEL_QT_PLUGINS}/platforms/qwindows.dll DESTINATION platforms)
install(DIRECTORY ${TARNEL_QT_PLUGINS}/styles/ DESTINATION styles OPTIONAL)

# Qt's Chinese translation; Qt for Windows built from qtbase alone has none, the host's is the
# same version.
find_file(TARNEL_QT_CHINESE qtbase_zh_CN.qm
          PATHS ${QT6_INSTALL_PREFIX}/translations /usr/share/qt6/translations
          NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(TARNEL_QT_CHINESE)
    install(FILES ${TARNEL_QT_CHINESE} DESTINATION translations)
endif()

# The MinGW runtime the program and Qt are linked against.
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${path}")
        find_file(path_${dll} ${dll} PATHS /usr/${TARNEL_MINGW}/lib /usr/${TARNEL_MINGW}/bin
                  NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
        set(path ${path_${dll}})
    endif()
    install(FILES ${path} DESTINATION .)
    list(APPEND TARNEL_RUNTIME_DLLS ${path})
endforeach()

# Every DLL stripped, as the program is (57.7 MB unstripped: libstdc++ alone is 23.7 MB).
install(CODE "
    file(GLOB_RECURSE dlls \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/*.dll\")
    foreach(dll \${dlls})
        execute_process(COMMAND ${CMAKE_STRIP} --strip-unneeded \"\${dll}\")
    endforeach()
")

# The installer: TarnelJava-1.07-setup.exe, into a folder the user can write (the settings
# live beside the program), with a Start-menu entry and an uninstaller.
set(CPACK_GENERATOR NSIS)
set(CPACK_PACKAGE_NAME TarnelJava)
set(CPACK_PACKAGE_VENDOR "TarnelJava 开发组")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME TarnelJava-${PROJECT_VERSION}-setup)
set(CPACK_PACKAGE_INSTALL_DIRECTORY TarnelJava)
# The Start-menu shortcut, made here: CPack's own would point at "$INSTDIR\.\TarnelJava.exe"
# for a program at the top of the installation. The uninstaller deletes it in the folder the
# user chose.
set(CPACK_NSIS_CREATE_ICONS_EXTRA
    "  CreateShortCut \\\"$SMPROGRAMS\\\\$STARTMENU_FOLDER\\\\TarnelJava编译器.lnk\\\" \\\"$INSTDIR\\\\TarnelJava.exe\\\"")
set(CPACK_NSIS_DELETE_ICONS_EXTRA "  Delete \\\"$SMPROGRAMS\\\\$MUI_TEMP\\\\TarnelJava编译器.lnk\\\"")
# The licence page shows the project's licence; NSIS reads UTF-8 only after a byte-order mark.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE TARNEL_LICENSE_TEXT)
string(ASCII 239 187 191 TARNEL_BOM)
file(WRITE ${PROJECT_BINARY_DIR}/installer/LICENSE.txt "${TARNEL_BOM}${TARNEL_LICENSE_TEXT}")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_BINARY_DIR}/installer/LICENSE.txt)
# Uninstalling takes the settings beside the program too, so that the folder goes, and the
# program's cache (javac's archives, 11 MB per JDK) in the user's local application data.
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "Delete \\\"$INSTDIR\\\\Setting.ini\\\"
  RMDir /r \\\"$LOCALAPPDATA\\\\TarnelJava\\\\cache\\\"
  RMDir \\\"$LOCALAPPDATA\\\\TarnelJava\\\"")
# The uninstall entry tells the program's size (in KB), as Windows' list of programs shows it.
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS "
  \\\${GetSize} \\\"$INSTDIR\\\" \\\"/S=0K\\\" $0 $1 $2
  IntFmt $0 \\\"0x%08X\\\" $0
  WriteRegDWORD SHCTX \\\"Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\TarnelJava\\\" \\\"EstimatedSize\\\" \\\"$0\\\"")
# The user's own local application data (%LOCALAPPDATA%), also when the installer runs as an
# administrator, where CPack's installer switches $LOCALAPPDATA to all users' data.
set(CPACK_NSIS_INSTALL_ROOT "$PROFILE\\\\AppData\\\\Local\\\\Programs")
# A 64-bit installer for the 64-bit program; no administrator needed.
set(CPACK_NSIS_DEFINES "Target amd64-unicode\nRequestExecutionLevel user")
set(CPACK_NSIS_MUI_ICON ${TARNEL_ICON})
set(CPACK_NSIS_MUI_UNIICON ${TARNEL_ICON})
set(CPACK_NSIS_INSTALLED_ICON_NAME TarnelJava.exe)
set(CPACK_NSIS_DISPLAY_NAME "TarnelJava编译器 ${PROJECT_VERSION}")
set(CPACK_NSIS_PACKAGE_NAME "TarnelJava编译器")
set(CPACK_STRIP_FILES TRUE)
# CPack's installer template, made per-user throughout: it would switch to all users (HKLM,
# the common Start menu) whenever the installer runs as an administrator, install into the
# documents folder otherwise, and leave the vendor's registry key behind.
file(READ ${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.template.in TARNEL_NSIS)
string(REPLACE "SetShellVarContext all" "SetShellVarContext current" TARNEL_NSIS "${TARNEL_NSIS}")
string(REPLACE "$DOCUMENTS\\@CPACK_PACKAGE_INSTALL_DIRECTORY@"
               "@CPACK_NSIS_INSTALL_ROOT@\\@CPACK_PACKAGE_INSTALL_DIRECTORY@" TARNEL_NSIS "${TARNEL_NSIS}")
string(REPLACE "HKLM \"Software\\Microsoft" "HKCU \"Software\\Microsoft" TARNEL_NSIS "${TARNEL_NSIS}")
set(TARNEL_VENDOR_KEY "  DeleteRegKey /ifempty SHCTX \"Software\\@CPACK_PACKAGE_VENDOR@")
string(REPLACE "${TARNEL_VENDOR_KEY}\\@CPACK_PACKAGE_INSTALL_REGISTRY_KEY@\"\n"
               "${TARNEL_VENDOR_KEY}\\@CPACK_PACKAGE_INSTALL_REGISTRY_KEY@\"\n${TARNEL_VENDOR_KEY}\"\n"
               TARNEL_NSIS "${TARNEL_NSIS}")
# The uninstaller's Start-menu entry is named in Chinese, as the pages around it are.
string(REPLACE "\\Uninstall.lnk\"" "\\卸载 TarnelJava编译器.lnk\"" TARNEL_NSIS "${TARNEL_NSIS}")
# The finish page offers to start the program; the size of the installation is measured.
string(REPLACE "@CPACK_NSIS_INSTALLER_MUI_FINISHPAGE_RUN_CODE@"
               "!define MUI_FINISHPAGE_RUN \"$INSTDIR\\TarnelJava.exe\"" TARNEL_NSIS "${TARNEL_NSIS}")
string(REPLACE "  !include \"MUI.nsh\"" "  !include \"MUI.nsh\"\n  !include \"FileFunc.nsh\""
               TARNEL_NSIS "${TARNEL_NSIS}")
# The uninstaller finds the Start-menu folder in the value it read before deleting the keys
# (CPack's reads the folder from a key it has just deleted, and so misses a folder the user
# named).
string(REPLACE "  !insertmacro MUI_STARTMENU_GETFOLDER Application $MUI_TEMP\n"
               "  StrCpy $MUI_TEMP \"$START_MENU\"\n" TARNEL_NSIS "${TARNEL_NSIS}")
# NSIS's Chinese licence page asks for a click on [我同意(I)] above a button that reads 我接受(I).
string(REPLACE "  !insertmacro MUI_LANGUAGE \"SimpChinese\"\n"
               "  !insertmacro MUI_LANGUAGE \"SimpChinese\"\n  LangString MUI_INNERTEXT_LICENSE_BOTTOM \${LANG_SIMPCHINESE} \"如果你接受许可证的条款，请点击 [我接受(I)] 继续安装。你必须在接受后才能安装 $(^NameDA) 。\"\n"
               TARNEL_NSIS "${TARNEL_NSIS}")
foreach(piece "FileFunc.nsh" "StrCpy $MUI_TEMP \"$START_MENU\"" "MUI_FINISHPAGE_RUN" "[我接受(I)]")
    string(FIND "${TARNEL_NSIS}" "${piece}" found)
    if(found EQUAL -1)
        message(FATAL_ERROR "CPack's installer template has changed: no place for ${piece}")
    endif()
endforeach()
file(WRITE ${PROJECT_BINARY_DIR}/installer/NSIS.template.in "${TARNEL_NSIS}")
list(PREPEND CMAKE_MODULE_PATH ${PROJECT_BINARY_DIR}/installer)
include(CPack)
