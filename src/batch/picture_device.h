#pragma once
// The device xrdfit draws its pictures on, from the module xrdfit_pictures.so
// (src/pictures) beside the program or in the build tree it was built in, loaded on first
// use: the drawing libraries take longer to load than a small run takes to fit.

#include <memory>
#include <string>
#include <vector>

#include "view/graphics.h"

class Console;

// Where the module may be: beside the running program, else where the build put it.
std::vector<std::string> picturesModulePlaces();

class PictureDevice {
  public:
    // The module is taken from the first of `places` that loads.
    explicit PictureDevice(Console& console,
                           std::vector<std::string> places = picturesModulePlaces())
        : console_(console), places_(std::move(places)) {}

    // The device, loaded on the first call; none when the module cannot be loaded, and then
    // failure() names it and says why.
    Graphics* graphics();
    const std::string& failure() const { return failure_; }

  private:
    Console& console_;
    const std::vector<std::string> places_;
    bool tried_ = false;
    std::unique_ptr<Graphics> graphics_;
    std::string failure_;
};
