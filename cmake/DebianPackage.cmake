# `cpack -G DEB`: the program, its menu entry, icons, manual page and metadata, on
# Debian's own Qt 6. `lintian` finds nothing to report in it (a test checks).
set(CPACK_PACKAGE_NAME tallimo)
set(CPACK_PACKAGE_VENDOR Orvendi)
set(CPACK_PACKAGE_CONTACT "Orvendi <soporte@orvendi.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Caja registradora para el mostrador de una tienda")
# Lines under 80 characters: the control file keeps them as written.
set(CPACK_PACKAGE_DESCRIPTION
    "Suma una venta a la vez, muestra el cambio y guarda las ventas del día en\nun archivo de texto en el escritorio. Incluye el resumen de ventas del día\no de un periodo (tallimo --resumen).")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE amd64)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libc6, libstdc++6, libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), libqt6printsupport6 (>= 6.4), libcups2, qt6-qpa-plugins, qt6-translations-l10n, fonts-liberation, fonts-crosextra-carlito")
set(CPACK_GENERATOR DEB)
include(CPack)
