# `cpack -G ZIP`: tallimo.exe, how to install it, the project's license and its
# source, and the license of the Qt code linked into it, in one folder
# tallimo-<version>-windows-x64.
install(TARGETS tallimo RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/resources/windows/LEEME.txt DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENCIA.txt)
# The source as committed, made at install time: a static Qt may be shipped only
# with what lets the user rebuild and relink.
set(TALLIMO_SOURCE_NAME tallimo-${PROJECT_VERSION}-fuente.tar.gz)
install(CODE "
  set(TALLIMO_SOURCE_DIR \"${PROJECT_SOURCE_DIR}\")
  set(TALLIMO_VERSION ${PROJECT_VERSION})
  set(tarball \"\${CMAKE_INSTALL_PREFIX}/codigo-fuente/${TALLIMO_SOURCE_NAME}\")
  set(TALLIMO_TARBALL \"\$ENV{DESTDIR}\${tarball}\")
  include(\"${PROJECT_SOURCE_DIR}/cmake/SourceTarball.cmake\")
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${tarball}\")")
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
