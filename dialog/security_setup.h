// The "ssec" button: refresh the page, then lock the tag's sectors and set its password,
// reporting in the value boxes of rows 0 and 1.
#pragma once

void security_setup();
