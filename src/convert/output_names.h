#pragma once
// Names of what a conversion writes: every output is DIR/STEM.EXT, and a .gda file carries a
// title line.

#include <optional>
#include <string>

// The base name (the part after the last '/') up to its last '.', before the extension that
// tells the format: "data/quartz.xy" gives "quartz", "Si_0.5mm.xy" gives "Si_0.5mm",
// "scan.001" gives "scan".
std::string patternStem(const std::string& name);

// Why DIR cannot take the outputs: every one would fail the same way, so a run refuses it
// before it reads any input. Nothing for an existing directory or an empty name.
std::optional<std::string> outdirRefusal(const std::string& outdir);

// DIR/STEM.EXT with the format's extension; STEM.EXT alone for an empty dir.
std::string outputPath(const std::string& outdir, const std::string& stem, char format);

// The GSAS title when none is given: the input's base name, up to any line end and cut to
// the length a title line can hold.
std::string defaultTitle(const std::string& name);
