# `cpack -G DEB` in the build folder: spurwerk_<version>_amd64.deb with what
# `cmake --install` puts under /usr, its library dependencies computed.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME spurwerk)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Spurwerk)
set(CPACK_PACKAGE_CONTACT "Spurwerk developers <spurwerk@users.noreply.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Editor for the project files of the Zoom R16/R24 recorders")
# CPack puts the summary first and a blank before each further line; Debian
# wants those lines at most 80 characters long.
set(CPACK_PACKAGE_DESCRIPTION
    "Spurwerk edits the mix, play marks and WAV assignments of Zoom R16 and R24
projects away from the device, compares their bytes, and saves, copies and
finds projects on a memory card. spurwerk-cli does the same from scripts,
with JSON output.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_PREFIX /usr)
# Installed through DESTDIR, so the install step does not refresh the build
# machine's desktop caches; the package's triggers do that on the target.
set(CPACK_SET_DESTDIR ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The libraries opened on first use (cmake/runtime_library.cmake) are not
# linked, so the library scan above does not see them. (The playback module
# is in the package: the scan finds Qt Multimedia through it.)
get_property(SPURWERK_RUNTIME_PACKAGES GLOBAL PROPERTY SPURWERK_RUNTIME_PACKAGES)
if(SPURWERK_RUNTIME_PACKAGES)
  list(REMOVE_DUPLICATES SPURWERK_RUNTIME_PACKAGES)
  list(JOIN SPURWERK_RUNTIME_PACKAGES ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
endif()
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils")
set(CPACK_STRIP_FILES ON)
include(CPack)
