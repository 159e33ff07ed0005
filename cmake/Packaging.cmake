# The Debian package, built by `cpack -G DEB` in a build configured with VALQUOR_DEBIAN=ON and
# the prefix /usr (scripts/package does both). Its version is project()'s.
set(CPACK_PACKAGE_NAME valquor)
set(CPACK_PACKAGE_VENDOR "The Valquor developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "valuation of stock and index options")
set(CPACK_PACKAGE_CONTACT "${VALQUOR_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_INSTALL_DIRECTORY valquor)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VALQUOR_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${PROJECT_HOMEPAGE_URL}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The report panes want a font with the metrics of Courier New.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-liberation)
# CPack puts the summary above this as the synopsis.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Valquor is a desktop tool for a private trader of stock
and index options. It values one option or one of 28 positions (spreads,
calendars, straddles, butterflies, stock combinations) with Black-Scholes,
a Cox-Ross-Rubinstein tree or numeric integration over a price
distribution, and writes plain-text reports: fair values over strikes
and days, delta, payoff odds, probabilities of price ranges, over- and
underpricing, historical and implied volatility, and the risk of a
position held for some days.
.
The package holds the window, valquor, and valquor-cli, which runs the
same computations from the command line for scripts.")

include(CPack)
