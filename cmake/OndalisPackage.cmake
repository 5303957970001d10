# The Debian package (`make package`, or `cpack -G DEB` in a build folder): what
# `cmake --install` puts under /usr. The libraries it links are found by dpkg-shlibdeps;
# the fonts it draws with are named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ondalis)
set(CPACK_PACKAGE_VENDOR Calvane)
set(CPACK_PACKAGE_CONTACT "Ondalis <ondalis@calvane.fr>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "simulateur d'oscillateur amorti pour l'enseignement de la physique")
set(CPACK_PACKAGE_DESCRIPTION
    "Ondalis anime un solide de masse m accroché à un ressort horizontal de raideur k, \
qui glisse dans un fluide exerçant une force de frottement -h·v. Le mouvement est calculé \
exactement dans ses quatre régimes. Vecteurs, tableau de valeurs, graphe, exercices, machine \
à calculer, configurations enregistrées.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The Qt libraries (Core, Gui with its X11 platform plugin, Widgets, PrintSupport with its
# CUPS plugin) are found by dpkg-shlibdeps. Besides them: "Arial" and "Times New Roman" are
# drawn with the Liberation fonts, the symbols with DejaVu, the catalogue's hourglasses with
# Symbola; Qt's own dialogs and buttons speak French through Qt's translations.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-liberation, fonts-dejavu-core, fonts-symbola, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_LIST_DIR}/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
include(CPack)
