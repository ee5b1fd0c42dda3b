#include "window/process_state.h"

#include <sys/syscall.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

namespace {

using namespace std::chrono_literals;

constexpr auto kSample = 25ms;
constexpr int kSettledSamples = 8;  // 200 ms in poll() without a break

std::string procFile(pid_t pid, const char* name) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/" + name);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

// The state letter of /proc/PID/stat, which follows the command name in parentheses.
char processState(pid_t pid) {
    const std::string stat = procFile(pid, "stat");
    const std::size_t close = stat.rfind(')');
    return close == std::string::npos || close + 2 >= stat.size() ? '?' : stat[close + 2];
}

bool isPollCall(long number) {
#ifdef SYS_poll
    if (number == SYS_poll) return true;
#endif
    return number == SYS_ppoll;
}

// /proc/PID/syscall names the call a blocked process sleeps in; where the kernel hides it,
// the wait channel still tells a poll() sleep.
bool sleepsInPoll(pid_t pid) {
    if (processState(pid) != 'S') return false;
    std::istringstream call(procFile(pid, "syscall"));
    long number = -1;
    if (call >> number) return isPollCall(number);
    return procFile(pid, "wchan").find("poll") != std::string::npos;
}

}  // namespace

bool waitUntilReadingCursor(pid_t pid, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    int settled = 0;
    long switches = -1;
    while (std::chrono::steady_clock::now() < deadline) {
        const char state = processState(pid);
        if (state == '?' || state == 'Z') return false;
        // A wake-up between two samples breaks the stretch as well.
        const long now = contextSwitches(pid);
        settled = sleepsInPoll(pid) && now == switches ? settled + 1 : 0;
        switches = now;
        if (settled >= kSettledSamples) return true;
        std::this_thread::sleep_for(kSample);
    }
    return false;
}

long contextSwitches(pid_t pid) {
    std::istringstream status(procFile(pid, "status"));
    long total = -1;
    std::string line;
    while (std::getline(status, line)) {
        if (line.find("ctxt_switches:") == std::string::npos) continue;
        total = std::max(total, 0L) + std::stol(line.substr(line.find(':') + 1));
    }
    return total;
}
