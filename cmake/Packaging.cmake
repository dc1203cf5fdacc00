# The release package: a zip of the three shipping programs, the About
# window's picture beside them, a README and the licence, named
# ombrel-utilities-<version>-win64.zip (or -win32). Built with
#   cmake --build --preset win64 --target package
# Product facts come from resources/version.h, the one place they live.

# ombrel_read_version_header(): OMBREL_VERSION_MAJOR/MINOR, LAPWICK_VERSION_*,
# OMBREL_PRODUCT_NAME, OMBREL_COMPANY_NAME and OMBREL_COPYRIGHT in the caller's
# scope, plus OMBREL_VERSION and LAPWICK_VERSION as "major.minor".
function(ombrel_read_version_header)
  set(header "${PROJECT_SOURCE_DIR}/resources/version.h")
  file(STRINGS "${header}" lines REGEX "^#define [A-Z_]+ ([0-9]+|\"[^\"]*\")$")
  foreach(line IN LISTS lines)
    if(line MATCHES "^#define ([A-Z_]+) \"?([^\"]*)\"?$")
      set(value_${CMAKE_MATCH_1} "${CMAKE_MATCH_2}")
    endif()
  endforeach()
  foreach(name OMBREL_VERSION_MAJOR OMBREL_VERSION_MINOR LAPWICK_VERSION_MAJOR
               LAPWICK_VERSION_MINOR OMBREL_PRODUCT_NAME OMBREL_COMPANY_NAME OMBREL_COPYRIGHT)
    if(NOT DEFINED value_${name})
      message(FATAL_ERROR "${header} does not define ${name} on a line of its own")
    endif()
    set(${name} "${value_${name}}" PARENT_SCOPE)
  endforeach()
  set(OMBREL_VERSION "${value_OMBREL_VERSION_MAJOR}.${value_OMBREL_VERSION_MINOR}" PARENT_SCOPE)
  set(LAPWICK_VERSION "${value_LAPWICK_VERSION_MAJOR}.${value_LAPWICK_VERSION_MINOR}"
      PARENT_SCOPE)
  # Configure again when the header changes, so the package name follows it.
  set_property(DIRECTORY "${PROJECT_SOURCE_DIR}" APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
               "${header}")
endfunction()

ombrel_read_version_header()
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(OMBREL_PACKAGE_ARCH win64)
else()
  set(OMBREL_PACKAGE_ARCH win32)
endif()
set(OMBREL_PACKAGE_NAME "ombrel-utilities-${OMBREL_VERSION}-${OMBREL_PACKAGE_ARCH}")

# Texts for Notepad: Windows line ends, version and vendor filled in.
string(TOUPPER "${OMBREL_COMPANY_NAME}" OMBREL_COMPANY_NAME_UPPER)
set(ombrel_package_texts "${CMAKE_BINARY_DIR}/package-texts")
configure_file(${PROJECT_SOURCE_DIR}/resources/package_readme.txt.in
               ${ombrel_package_texts}/README.txt @ONLY NEWLINE_STYLE CRLF)
configure_file(${PROJECT_SOURCE_DIR}/resources/package_licence.txt.in
               ${ombrel_package_texts}/LICENSE.txt @ONLY NEWLINE_STYLE CRLF)

# The zip is written by make_package.py, so that it holds nothing of the
# build's time, folder or umask (tools/package.sh collects both and signs).
# Its arguments sit in package.args, one a line, so that tools/package.sh
# and the package test make the same zip elsewhere, or a signed one:
#   python3 cmake/make_package.py @build/win64/package.args --out-dir DIR
#       [--cert CERT.pem --key KEY.pem [--timestamp URL]]
find_program(OMBREL_PYTHON NAMES python3 REQUIRED)
set(ombrel_package_args "${CMAKE_BINARY_DIR}/package.args")
file(GENERATE OUTPUT "${ombrel_package_args}" CONTENT
"--name
${OMBREL_PACKAGE_NAME}
--source-dir
${PROJECT_SOURCE_DIR}
--description
${OMBREL_PRODUCT_NAME}
$<TARGET_FILE:Lapwick>
$<TARGET_FILE:OmbrelAbout>
$<TARGET_FILE:OmbrelSplash>
${PROJECT_SOURCE_DIR}/resources/ombrel.ani
${ombrel_package_texts}/README.txt
${ombrel_package_texts}/LICENSE.txt
")
# A build folder configured when CPack wrote the zip still holds its
# configuration, and CMake keeps the name "package" for CPack while it does.
file(REMOVE "${CMAKE_BINARY_DIR}/CPackConfig.cmake" "${CMAKE_BINARY_DIR}/CPackSourceConfig.cmake")
add_custom_target(package
  COMMAND "${OMBREL_PYTHON}" "${PROJECT_SOURCE_DIR}/cmake/make_package.py"
          "@${ombrel_package_args}" --out-dir "${CMAKE_BINARY_DIR}"
  COMMENT "Writing ${OMBREL_PACKAGE_NAME}.zip"
  VERBATIM)
add_dependencies(package Lapwick OmbrelAbout OmbrelSplash)
