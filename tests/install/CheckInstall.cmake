# Installs the build into a scratch prefix and checks that the desktop finds
# the program, its menu entry and its icons there, and the manual page, license,
# changelog and metadata beside them.
set(prefix "${BUILD}/install-check")
file(REMOVE_RECURSE "${prefix}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${prefix}"
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${rc}")
endif()
foreach(path
    bin/tallimo
    share/applications/tallimo.desktop
    share/icons/hicolor/16x16/apps/tallimo.png
    share/icons/hicolor/48x48/apps/tallimo.png
    share/icons/hicolor/256x256/apps/tallimo.png
    share/icons/hicolor/scalable/apps/tallimo.svg
    share/man/man1/tallimo.1.gz
    share/doc/tallimo/copyright
    share/doc/tallimo/changelog.gz
    share/metainfo/com.orvendi.tallimo.metainfo.xml)
  if(NOT EXISTS "${prefix}/${path}")
    message(FATAL_ERROR "not installed: ${path}")
  endif()
endforeach()
file(READ "${prefix}/share/applications/tallimo.desktop" entry)
foreach(line "Name=Tallimo" "Comment=Herramienta para sumar y registrar una venta."
             "Exec=tallimo" "Icon=tallimo" "Categories=Office;Finance;"
             "[Desktop Action resumen]" "Exec=tallimo --resumen")
  string(FIND "${entry}" "\n${line}\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the menu entry lacks: ${line}")
  endif()
endforeach()
file(REMOVE_RECURSE "${prefix}")
