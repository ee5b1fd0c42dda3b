#include "support/session.h"

#include <sstream>

#include "console/console.h"
#include "driver/run.h"

SessionResult runSession(ScriptedGraphics& graphics, const std::vector<std::string>& args,
                         const std::string& consoleInput) {
    std::istringstream in(consoleInput);
    std::ostringstream out;
    Console console(in, out);
    SessionResult result;
    result.status = run(args, console, graphics);
    result.transcript = out.str();
    return result;
}
