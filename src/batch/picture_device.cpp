#include "batch/picture_device.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

std::vector<std::string> picturesModulePlaces() {
    constexpr const char* kModuleName = "xrdfit_pictures.so";
    std::vector<std::string> places;
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) places.push_back(program.parent_path() / kModuleName);
    places.emplace_back(XRDFIT_PICTURES_MODULE);
    return places;
}

Graphics* PictureDevice::graphics() {
    if (tried_) return graphics_.get();
    tried_ = true;
    // The module stays loaded to the end of the process: the libraries it brings register
    // clean-ups of their own, which must not outlive their code.
    void* module = nullptr;
    std::string place, why;
    for (const std::string& candidate : places_) {
        place = candidate;
        if ((module = dlopen(place.c_str(), RTLD_NOW))) break;
        why = dlerror();
    }
    if (!module) {
        // The loader's words name the file first; they are said after the program's.
        if (why.starts_with(place + ": ")) why.erase(0, place.size() + 2);
        failure_ = place + ": the picture library cannot be loaded (" + why + ")";
        return nullptr;
    }
    using Make = Graphics* (*)(Console*);
    const auto make = reinterpret_cast<Make>(dlsym(module, "xrdfit_picture_device"));
    if (!make) {
        failure_ = place + ": the picture library has no drawing device";
        return nullptr;
    }
    graphics_.reset(make(&console_));
    return graphics_.get();
}
