#pragma once
// The data file name of the run: the plot's top label and the stem of every file the
// program names itself (background points, peak positions).

#include <cstddef>
#include <string>

inline constexpr std::size_t kNameBufferSize = 200;  // a name holds at most 199 characters

struct DataFileName {
    std::string name;            // as typed or given on the command line
    char format = 0;             // 'x' .xy, 'w' .wyr, 'd' .dat, 'g' .gda, 's' raw scans,
                                 // 'v' an instrument file, 't' a general text pattern
    std::string ownExtension{};  // the extension as loaded, for 'v' and 't', which have no
                                 // extension of their own
    bool firstDot = false;       // the extension follows the first '.' of the base name, as
                                 // xrdpick's prompt has always read it, rather than the last

    // Position just after the last '.' of the base name (the part after the last '/'), or
    // after its first with firstDot; npos when the base name has no '.'.
    std::size_t extensionPos() const;

    // Everything up to and including that '.', followed by the given extension; with no
    // '.' in the base name, the extension alone.
    std::string withExtension(const std::string& extension) const;

    // Puts the loaded format's lower-case extension after that '.' again (an instrument or
    // text file's own extension, as loaded).
    void restoreExtension();
};

// The lower-case extension that belongs to a format code ("xy", "wyr", "dat", "gda", "super");
// "" for a code without one.
const char* formatExtension(char format);
