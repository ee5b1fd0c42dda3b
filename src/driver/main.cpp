#include <iostream>
#include <string>
#include <vector>

#include "driver/console.h"
#include "driver/recovery.h"
#include "driver/run.h"
#include "pattern/safe_file.h"
#include "view/pgplot_graphics.h"

int main(int argc, char** argv) {
    ignoreFileSizeSignal();
    installRecoveryHandlers();
    Console console(std::cin, std::cout);
    PgplotGraphics graphics(console);
    return run(std::vector<std::string>(argv + 1, argv + argc), console, graphics);
}
