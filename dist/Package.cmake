# The Debian package (`make package`, or `cpack -G DEB` in the build folder):
# farrowmere_VERSION_ARCH.deb. The shared libraries' packages come from dpkg-shlibdeps; the
# fonts and the soundfont are named here, since the game finds them only at run time.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME farrowmere)
set(CPACK_PACKAGE_VENDOR "The Farrowmere developers")
set(CPACK_PACKAGE_CONTACT "The Farrowmere developers <farrowmere@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small Japanese adventure game played with the mouse")
set(CPACK_PACKAGE_DESCRIPTION "Farrowmere tells its story a line at a time: a click on the play area
advances the story and runs a battle turn, falling idea buttons spend the hero's
power on effects, and enemies attack on every click. The game is in Japanese.
It comes with farrow-story, a tool for writing new scenarios.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "fonts-ipafont-gothic, fonts-ipafont-mincho, timgm6mb-soundfont | fluid-soundfont-gm")
include(CPack)
