# The source of this version as committed (`git archive` of HEAD), for the packages
# to carry: the GPL gives whoever receives the program its source, and with it the
# means to rebuild and relink the Qt inside tallimo.exe.
#   cmake -DTALLIMO_SOURCE_DIR=<checkout> -DTALLIMO_VERSION=<x.y.z> -DTALLIMO_TARBALL=<.tar.gz>
#         -P cmake/SourceTarball.cmake
find_program(TALLIMO_GIT git REQUIRED)
execute_process(COMMAND ${TALLIMO_GIT} -C ${TALLIMO_SOURCE_DIR} status --porcelain --untracked-files=no
                OUTPUT_VARIABLE changes RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${TALLIMO_SOURCE_DIR} is not a git checkout: no source tarball")
endif()
if(NOT changes STREQUAL "")
  message(WARNING "uncommitted changes are not in ${TALLIMO_TARBALL}:\n${changes}")
endif()
get_filename_component(folder ${TALLIMO_TARBALL} DIRECTORY)
file(MAKE_DIRECTORY ${folder})
execute_process(COMMAND ${TALLIMO_GIT} -C ${TALLIMO_SOURCE_DIR} archive --format=tar.gz
                        --prefix=tallimo-${TALLIMO_VERSION}/ -o ${TALLIMO_TARBALL} HEAD
                COMMAND_ERROR_IS_FATAL ANY)
message(STATUS "Source: ${TALLIMO_TARBALL}")
