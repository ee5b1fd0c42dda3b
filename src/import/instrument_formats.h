#pragma once
// The diffractometer formats (read through xylib, UXD by uxd_scan.h): which extensions name
// them and which names --from accepts.

#include <string>

// The xylib format for an extension (a name's extension, as format_recognition.h picks it, in any
// case): "bruker_raw", "xrdml", ...; kGuessRaw for .raw, which two formats share; "" when the
// extension names none of them. .dat is not among them: it stays the PROFIN format.
std::string instrumentFormatForExtension(const std::string& extension);

// .raw files are told apart by xylib's own check of their first bytes.
inline constexpr const char* kGuessRaw = "raw";

// True for a format name --from accepts: the xylib names of the formats above, and the
// .dat formats that only --from reaches (rigaku_dat, riet7).
bool isFromFormatName(const std::string& name);

// The names --from accepts, comma-separated, for messages and help texts.
std::string fromFormatNames();
