#include <iostream>
#include <string>
#include <vector>

#include "console/console.h"
#include "driver/recovery.h"
#include "driver/run.h"
#include "driver/waiting_devices.h"
#include "pattern/safe_file.h"
#include "view/pgplot_graphics.h"

int main(int argc, char** argv) {
    ignoreFileSizeSignal();
    installRecoveryHandlers();
    WaitingInput terminal(std::cin.rdbuf());
    std::istream input(&terminal);
    Console console(input, std::cout);
    PgplotGraphics screen(console);
    WaitingGraphics graphics(screen);
    return run(std::vector<std::string>(argv + 1, argv + argc), console, graphics);
}
