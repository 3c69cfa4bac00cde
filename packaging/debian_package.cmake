# The Debian package: `cpack -G DEB` in a build configured with -DQARN_BUILD_TESTS=OFF
# -DQARN_BUILD_BENCH=OFF (scripts/package.sh does all of it).
set(CPACK_PACKAGE_NAME qarn)
set(CPACK_PACKAGE_VENDOR "The Qarn developers")
set(CPACK_PACKAGE_CONTACT "The Qarn developers <qarn@users.noreply.github.com>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for path sets placed on a world map")
# Lines of at most 72 characters, a lone "." between paragraphs, as Debian's policy asks.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Qarn edits path sets: small binary files that place objects in a
three-dimensional world, each object a type name and up to 256 points.
It shows a top-down map with the points marked, lists the objects and
the points of the selected one, and places, lays out, turns, moves,
extends, retypes and re-flags objects, exact to the byte and with undo.
A bad file is refused with its place, a failed save keeps the old file,
and a recovery copy keeps unsaved changes.
.
The package also holds qarn-tool, which checks, inspects, converts,
compares and renders path sets on the command line, and a thumbnailer
that shows their maps in file managers.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${QARN_HOMEPAGE})
# The libraries the programs link, found by dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own Wayland plug-in, which no program links: without it the editor runs through XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-wayland)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
