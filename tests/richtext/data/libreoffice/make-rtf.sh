#!/bin/sh
# Converts sample.html (with picture.png) to sample.rtf through LibreOffice, an RTF
# writer independent of ours: HTML to ODF text, then ODF text to RTF. Run once by
# hand; the tests read the committed RTF and need no LibreOffice.
set -e
cd "$(dirname "$0")"
soffice --headless --writer --convert-to odt sample.html
soffice --headless --convert-to rtf sample.odt
rm sample.odt
