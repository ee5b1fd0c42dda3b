// What the console prints is the formatted text whole, however long a line is.

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "console/console.h"

TEST(ConsolePrint, LinesOfEveryLengthArriveWhole) {
    for (const std::size_t length : {0u, 1u, 254u, 255u, 256u, 257u, 5000u}) {
        std::istringstream in;
        std::ostringstream out;
        Console console(in, out);
        const std::string name(length, 'n');
        console.print("%s file is opened, and read...%d\n", name.c_str(), 7);
        EXPECT_EQ(out.str(), name + " file is opened, and read...7\n") << length;
    }
}
