# The installable packages of the two programs: a Debian package (its library dependencies
# found by dpkg-shlibdeps) and a tarball of the same tree. `make package` builds both.
include(GNUInstallDirs)

set(CPACK_PACKAGE_NAME "ostrel-vane-studio")
set(CPACK_PACKAGE_VENDOR "Halvrenn Inc.")
set(CPACK_PACKAGE_CONTACT "Halvrenn Inc. <support@halvrenn.example>")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.halvrenn.example/ovs/")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "change-point analysis of data series with CUSUM and the bootstrap")
# Lines of the long description as package tools show them (at most 80 columns).
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Ostrel-Vane Studio finds where the level or the spread of a data series\n"
  "shifted. It combines a cumulative-sum statistic with bootstrap resampling,\n"
  "gives each change a confidence level and its position a confidence\n"
  "interval, and checks the data for outliers and serial correlation first.\n"
  "The desktop program ovs-studio reads tab-delimited text, CSV, .xlsx, .ods\n"
  "and .xls files into a workbook of sheets and shows the results as tables\n"
  "and charts; the command-line tool ovs analyses a file without a display.")
set(CPACK_GENERATOR "DEB;TGZ")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "science")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window-system plugins of Qt are loaded at run time, so dpkg-shlibdeps cannot
# see them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")

set(CPACK_SOURCE_IGNORE_FILES "/build.*/" "/\\\\.git/")
include(CPack)
