# tallimo.exe stands alone: a GUI program with its icon, version information and
# manifest as Windows resources and Qt's Spanish texts inside, so nothing has to
# sit beside it.
find_program(MAGICK_CONVERT convert REQUIRED)
set(icon_sizes 16 32 48 256)
set(icon_pngs)
foreach(size IN LISTS icon_sizes)
  list(APPEND icon_pngs ${PROJECT_SOURCE_DIR}/resources/icons/hicolor/${size}x${size}/apps/tallimo.png)
endforeach()
set(ico ${CMAKE_CURRENT_BINARY_DIR}/windows/tallimo.ico)
add_custom_command(OUTPUT ${ico}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/windows
  COMMAND ${MAGICK_CONVERT} ${icon_pngs} ${ico}
  DEPENDS ${icon_pngs}
  COMMENT "Making tallimo.ico")
set(rc ${CMAKE_CURRENT_BINARY_DIR}/windows/tallimo.rc)
set(manifest ${CMAKE_CURRENT_BINARY_DIR}/windows/tallimo.manifest)
configure_file(${PROJECT_SOURCE_DIR}/resources/windows/tallimo.rc.in ${rc} @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/resources/windows/tallimo.manifest.in ${manifest} @ONLY)
set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS "${ico};${manifest}")

# The Spanish texts of Qt's own dialogs and buttons, from the installed Qt of the
# same version (the cross-built qtbase has no translations).
set(TALLIMO_QT_TRANSLATIONS /usr/share/qt6/translations CACHE PATH "Where qtbase_es.qm is")
set(qm ${TALLIMO_QT_TRANSLATIONS}/qtbase_es.qm)
if(NOT EXISTS ${qm})
  message(FATAL_ERROR "${qm} is missing: install qt6-translations-l10n")
endif()
configure_file(${qm} ${CMAKE_CURRENT_BINARY_DIR}/windows/qtbase_es.qm COPYONLY)
set(i18n ${CMAKE_CURRENT_BINARY_DIR}/windows/i18n.qrc)
file(CONFIGURE OUTPUT ${i18n}
  CONTENT "<RCC><qresource prefix=\"/i18n\"><file>qtbase_es.qm</file></qresource></RCC>\n")

target_sources(tallimo PRIVATE ${rc} ${i18n})
set_target_properties(tallimo PROPERTIES WIN32_EXECUTABLE ON)
