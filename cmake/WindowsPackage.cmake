# `cpack -G ZIP`: tallimo.exe, how to install it, and the license of the Qt code
# linked into it, in one folder tallimo-<version>-windows-x64.
install(TARGETS tallimo RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/resources/windows/LEEME.txt DESTINATION .)
find_file(TALLIMO_QT_LGPL LGPL-3.0-only.txt PATHS ${Qt6_DIR}/../../../LICENSES
          NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
get_filename_component(qt_licenses ${TALLIMO_QT_LGPL} DIRECTORY)
install(FILES ${qt_licenses}/LGPL-3.0-only.txt ${qt_licenses}/GPL-3.0-only.txt
        DESTINATION licencias-qt)

set(CPACK_PACKAGE_NAME tallimo)
set(CPACK_PACKAGE_VENDOR Orvendi)
set(CPACK_PACKAGE_FILE_NAME tallimo-${PROJECT_VERSION}-windows-x64)
set(CPACK_GENERATOR ZIP)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
include(CPack)
