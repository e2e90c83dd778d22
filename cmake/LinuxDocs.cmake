# What a Debian system expects beside the program: the Spanish manual page, the
# copyright and changelog under share/doc/tallimo, and the AppStream metadata
# that software centres list it by.
find_program(GZIP_PROGRAM gzip REQUIRED)
set(res ${PROJECT_SOURCE_DIR}/resources)
set(docs ${CMAKE_CURRENT_BINARY_DIR}/docs)
set(metainfo ${res}/com.orvendi.tallimo.metainfo.xml)

# The newest changelog entry and a metadata release are this version: a release bumps all three.
file(STRINGS ${res}/debian/changelog newest LIMIT_COUNT 1)
file(READ ${metainfo} metainfo_text)
string(FIND "${metainfo_text}" "<release version=\"${PROJECT_VERSION}\"" release_at)
if(NOT newest MATCHES "^tallimo \\(${PROJECT_VERSION}\\) " OR release_at EQUAL -1)
  message(FATAL_ERROR "the newest entry of resources/debian/changelog and a release in "
                      "resources/com.orvendi.tallimo.metainfo.xml must be ${PROJECT_VERSION}")
endif()

configure_file(${res}/man/tallimo.1 ${docs}/tallimo.1 @ONLY)
configure_file(${res}/debian/changelog ${docs}/changelog COPYONLY)
# -n: no name or time inside, so the same sources give the same bytes.
add_custom_command(OUTPUT ${docs}/tallimo.1.gz ${docs}/changelog.gz
  COMMAND ${GZIP_PROGRAM} -9nkf ${docs}/tallimo.1 ${docs}/changelog
  DEPENDS ${docs}/tallimo.1 ${docs}/changelog
  COMMENT "Compressing the manual page and the changelog")
add_custom_target(tallimo_docs DEPENDS ${docs}/tallimo.1.gz ${docs}/changelog.gz)
add_dependencies(tallimo tallimo_docs) # a build of the program alone can be installed

install(FILES ${docs}/tallimo.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${res}/debian/copyright ${docs}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${metainfo} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
