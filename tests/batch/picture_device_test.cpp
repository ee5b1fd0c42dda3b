// The pictures' device comes from the first module place that loads; a place that does not
// load, or a library that is not the module, is named with what went wrong.

#include "batch/picture_device.h"

#include <gtest/gtest.h>

#include <sstream>

#include "console/console.h"

TEST(PictureDeviceTest, LoadsTheFirstModuleThatLoadsOrNamesWhyNone) {
    struct Case {
        std::vector<std::string> places;
        const char* failure;  // the start of the failure; empty: a device
    };
    const std::string missing = "/nonexistent/xrdfit_pictures.so";
    const std::string notTheModule = "libm.so.6";  // loads, without the device's entry
    const std::string built = picturesModulePlaces().back();
    const Case cases[] = {
        {{built}, ""},
        {{missing, built}, ""},
        {{missing}, "/nonexistent/xrdfit_pictures.so: the picture library cannot be loaded ("},
        {{notTheModule}, "libm.so.6: the picture library has no drawing device"},
        {{missing, notTheModule}, "libm.so.6: the picture library has no drawing device"},
    };
    for (const Case& c : cases) {
        std::istringstream in;
        std::ostringstream out;
        Console console(in, out);
        PictureDevice device(console, c.places);
        const std::string what = c.places.front() + (c.places.size() > 1 ? ", ..." : "");
        Graphics* graphics = device.graphics();
        EXPECT_EQ(graphics == nullptr, *c.failure != '\0') << what;
        EXPECT_EQ(device.failure().rfind(c.failure, 0), 0u) << what << ": " << device.failure();
        EXPECT_EQ(device.graphics(), graphics) << what << ": loaded once";
    }
}
