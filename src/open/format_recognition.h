#pragma once
// Which reader a data file needs, told by the extension after the first '.' of its base name.

#include "pattern/data_file_name.h"

// 's' for a raw scan (the extension begins with three digits, as in scan.001); 'x', 'w',
// 'd', 'g' for an extension that begins with xy, wyr, dat or gda in all lower or all upper
// case (so xyz counts as xy); 'v' for an extension that names an instrument format in any
// case (.raw, .xrdml, .uxd, ...); 0 when the name says nothing the program reads.
char recogniseFormat(const DataFileName& file);
