# The Windows setup program, made with NSIS (Debian's makensis) from what the zip
# holds; part of every Windows build, since the tests install it under Wine.
find_program(MAKENSIS makensis REQUIRED)
set(TALLIMO_SETUP ${CMAKE_BINARY_DIR}/tallimo-${PROJECT_VERSION}-windows-x64-instalador.exe)
file(GLOB_RECURSE setup_inputs CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/windows/*)
add_custom_command(OUTPUT ${TALLIMO_SETUP}
  COMMAND ${PROJECT_SOURCE_DIR}/scripts/make-setup ${CMAKE_BINARY_DIR} ${PROJECT_VERSION} ${TALLIMO_SETUP}
  DEPENDS tallimo ${setup_inputs} ${PROJECT_SOURCE_DIR}/scripts/make-setup
  COMMENT "Making the setup program")
add_custom_target(setup ALL DEPENDS ${TALLIMO_SETUP})
