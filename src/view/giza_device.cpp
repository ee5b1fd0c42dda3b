#include "view/giza_device.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

namespace {

constexpr std::string_view kScreenType = "xw";

struct TypeAlias {
    std::string_view pgplot;
    std::string_view giza;
};

constexpr std::array<TypeAlias, 4> kTypeAliases = {{
    {"gw", kScreenType},
    {"xwindow", kScreenType},
    {"xserve", kScreenType},
    {"vcps", "vps"},
}};

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The device type after the last '/', lower case; "" when the specification has none.
std::string deviceType(const std::string& spec) {
    const std::size_t slash = spec.rfind('/');
    return slash == std::string::npos ? "" : lowerCase(spec.substr(slash + 1));
}

}  // namespace

std::optional<std::string> gizaDeviceSpec(const std::string& spec) {
    if (spec.size() > kMaxDeviceSpecLength) return std::nullopt;
    if (spec.empty()) return "/" + std::string(kScreenType);
    const std::string type = deviceType(spec);
    for (const TypeAlias& alias : kTypeAliases) {
        if (type == alias.pgplot) {
            return spec.substr(0, spec.rfind('/') + 1) + std::string(alias.giza);
        }
    }
    return spec;
}

bool isScreenDevice(const std::string& gizaSpec) {
    return deviceType(gizaSpec) == kScreenType;
}
