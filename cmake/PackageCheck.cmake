# Read by cpack before it builds a package: a Debian package names a maintainer.
if(CPACK_GENERATOR STREQUAL "DEB" AND NOT CPACK_PACKAGE_CONTACT)
    message(FATAL_ERROR "No maintainer for the package, and none could be taken from the "
            "machine: configure with -DQUILVARO_MAINTAINER=\"Name <address>\" (or `make package "
            "QUILVARO_MAINTAINER=...`), or set DEBFULLNAME and DEBEMAIL.")
endif()
