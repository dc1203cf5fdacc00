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

# One component, so nothing else that some day gets an install rule (test
# programs, the silent About build, GoogleTest) can slip into the zip.
install(TARGETS Lapwick OmbrelAbout OmbrelSplash RUNTIME DESTINATION . COMPONENT utilities)
install(FILES ${PROJECT_SOURCE_DIR}/resources/ombrel.ani
              ${ombrel_package_texts}/README.txt ${ombrel_package_texts}/LICENSE.txt
        DESTINATION . COMPONENT utilities)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME "ombrel-utilities")
set(CPACK_PACKAGE_VENDOR "${OMBREL_COMPANY_NAME}")
set(CPACK_PACKAGE_VERSION "${OMBREL_VERSION}")
set(CPACK_PACKAGE_VERSION_MAJOR "${OMBREL_VERSION_MAJOR}")
set(CPACK_PACKAGE_VERSION_MINOR "${OMBREL_VERSION_MINOR}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${OMBREL_PRODUCT_NAME} utilities")
set(CPACK_PACKAGE_FILE_NAME "${OMBREL_PACKAGE_NAME}")
set(CPACK_RESOURCE_FILE_LICENSE "${ombrel_package_texts}/LICENSE.txt")
set(CPACK_RESOURCE_FILE_README "${ombrel_package_texts}/README.txt")
# The files sit in one folder named like the zip.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
# Install only the utilities component into the one zip.
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};utilities;/")
set(CPACK_SOURCE_GENERATOR "")
include(CPack)
