# The Debian copyright file, made from the project's LICENSE so that the two
# can never disagree: the licence text indented by one space, blank lines as
# " .".
file(READ ${PROJECT_SOURCE_DIR}/LICENSE KELVOR_LICENSE)
string(REGEX MATCH "Copyright \\(c\\) [^\n]*" KELVOR_COPYRIGHT_LINE "${KELVOR_LICENSE}")
string(REPLACE "Copyright (c) " "" KELVOR_COPYRIGHT_HOLDER "${KELVOR_COPYRIGHT_LINE}")
# The licence's own text starts after its title and copyright line.
string(REGEX REPLACE "^.*Copyright \\(c\\) [^\n]*\n+" "" KELVOR_LICENSE "${KELVOR_LICENSE}")
string(REGEX REPLACE "\n+$" "" KELVOR_LICENSE "${KELVOR_LICENSE}")
string(REPLACE "\n" "\n " KELVOR_LICENSE_INDENTED " ${KELVOR_LICENSE}")
string(REGEX REPLACE "\n \n" "\n .\n" KELVOR_LICENSE_INDENTED "${KELVOR_LICENSE_INDENTED}")
string(REGEX REPLACE "\n \n" "\n .\n" KELVOR_LICENSE_INDENTED "${KELVOR_LICENSE_INDENTED}")
file(WRITE ${KELVOR_PACKAGING_OUT}/copyright
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: KELVOR
Upstream-Contact: ${KELVOR_MAINTAINER}

Files: *
Copyright: ${KELVOR_COPYRIGHT_HOLDER}
License: MIT

License: MIT
${KELVOR_LICENSE_INDENTED}
")
