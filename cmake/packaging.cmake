# The Debian package of the program, made by CPack from the installation:
#   cmake --build build --target package  ->  build/garment-dictionary_<version>_<arch>.deb
# Its dependencies are the shared libraries the executables link (found by dpkg-shlibdeps) and
# what the program loads without linking: Qt's platform plugins, the speech engine's plugin, Qt's
# Chinese translations and a Chinese font.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME garment-dictionary)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Garment Dictionary authors")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "English-Chinese dictionary of garment and textile terms")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Garment Dictionary authors <authors@garment-dictionary.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_PACKAGE_DESCRIPTION
    "A dictionary for the people of the garment trade: buyers, merchandisers,\n"
    "pattern makers and translators. Type an English or Chinese word or fragment\n"
    "and every matching entry appears at once, those that begin with the text\n"
    "first. It works offline, and the command-line tool gdict searches the same\n"
    "dictionary.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, qt6-speech-flite-plugin, qt6-translations-l10n, fonts-arphic-gbsn00lp | fonts-wqy-zenhei")
include(CPack)
