#include "import/x_axis.h"

#include <array>
#include <cctype>

namespace {

// Lower-case letters and digits of the name before any unit in brackets: "d (A)" gives "d",
// "_pd_meas_2theta_scan" gives "pdmeas2thetascan".
std::string normalised(const std::string& name) {
    std::string plain;
    for (const char c : name.substr(0, name.find_first_of("(["))) {
        const auto u = static_cast<unsigned char>(c);
        if (std::isalnum(u)) plain.push_back(static_cast<char>(std::tolower(u)));
    }
    return plain;
}

bool has(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

}  // namespace

std::string otherThanTth(const std::string& name) {
    const std::string n = normalised(name);
    if (has(n, "2theta") || has(n, "twotheta") || n == "tth" || n == "2th") return "";
    if (has(n, "dspacing") || n == "d") return "d-spacing";
    if (has(n, "timeofflight") || n == "tof") return "time of flight";
    if (has(n, "energy") || n == "e" || n == "kev" || n == "ev") return "energy";
    if (has(n, "channel")) return "channel numbers";
    if (n == "q") return "q (momentum transfer)";
    constexpr std::array<const char*, 4> kDrives{"omega", "phi", "chi", "psi"};
    for (const char* drive : kDrives)
        if (n == drive) return "the " + name + " drive";
    return "";
}
