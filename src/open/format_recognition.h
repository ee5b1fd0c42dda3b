#pragma once
// Which reader a data file needs, told by the extension of its base name.

#include "pattern/data_file_name.h"

// By the last extension (the text after the last '.'), whole: 's' for a raw scan (three or
// more digits, as in scan.001); 'x', 'w', 'd', 'g' for xy (or xye), wyr, dat or gda in all
// lower or all upper case; 'v' for an extension that names an instrument format in any case
// (.raw, .xrdml, .uxd, ...); 0 when the name says nothing the program reads. With
// file.firstDot, by xrdpick's historical rule instead: the text after the first '.', of which
// only the leading characters count (so .xyz and .xy.bak count as xy, .001a as a raw scan).
char recogniseFormat(const DataFileName& file);

// xrdpick's load step: the historical rule decides wherever it finds a format, so that names
// read as they always were keep their reader and derived names; elsewhere the last extension
// decides (Si_0.5mm.xy). Sets file.firstDot to the rule that decided.
char recogniseTypedFormat(DataFileName& file);
