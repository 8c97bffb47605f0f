# Run by cpack on the staged files before the package is made: the manual pages and
# the changelog compressed without a time stamp, as Debian policy asks.
find_program(TAVIK_GZIP gzip REQUIRED)
set(root "${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
if(NOT IS_DIRECTORY "${root}/bin")
  message(FATAL_ERROR "packagefiles.cmake: no staged programs under ${root}")
endif()
set(doc "${root}/share/doc/${CPACK_PACKAGE_NAME}")
file(COPY_FILE "${CPACK_TAVIK_CHANGELOG}" "${doc}/changelog")
file(GLOB pages "${root}/share/man/man*/*.[1-9]")
foreach(file ${pages} "${doc}/changelog")
  execute_process(COMMAND ${TAVIK_GZIP} -9nf "${file}" COMMAND_ERROR_IS_FATAL ANY)
endforeach()
