#pragma once
// How a PGPLOT device specification ("file/type") becomes one that giza opens: the
// program's screen device "/gw" and PGPLOT's other names for the screen are giza's "/xw",
// an empty specification is the screen too, and PGPLOT's portrait colour PostScript is
// giza's portrait PostScript (giza draws PostScript in colour always).

#include <cstddef>
#include <optional>
#include <string>

// giza keeps at most 256 characters of a device name with the extension it adds, and
// silently writes nothing beyond that; longer specifications are refused here instead.
inline constexpr std::size_t kMaxDeviceSpecLength = 200;

// The giza specification, or none when the specification is too long to open safely.
std::optional<std::string> gizaDeviceSpec(const std::string& spec);

// True when a giza specification names the interactive screen device.
bool isScreenDevice(const std::string& gizaSpec);
