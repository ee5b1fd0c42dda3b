#include "window/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

extern char** environ;

namespace {

using namespace std::chrono_literals;

struct Pipe {
    int read = -1, write = -1;
    Pipe() {
        int fds[2];
        if (pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error("cannot create a pipe");
        read = fds[0];
        write = fds[1];
    }
};

std::vector<std::string> changedEnvironment(const EnvironmentChanges& changes) {
    std::vector<std::string> entries;
    for (char** entry = environ; *entry; ++entry) {
        const std::string text(*entry);
        if (!changes.count(text.substr(0, text.find('=')))) entries.push_back(text);
    }
    for (const auto& [name, value] : changes) {
        if (value) entries.push_back(name + "=" + *value);
    }
    return entries;
}

std::vector<char*> pointersTo(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

// A write to a program that has ended must fail, not end the test program.
void ignoreBrokenPipes() {
    static const bool ignored = signal(SIGPIPE, SIG_IGN) != SIG_ERR;
    (void)ignored;
}

int statusFromWait(int waitStatus) {
    return WIFEXITED(waitStatus) ? WEXITSTATUS(waitStatus) : 128 + WTERMSIG(waitStatus);
}

}  // namespace

std::vector<std::string> lineBuffered(const std::vector<std::string>& argv) {
    std::vector<std::string> command = {"stdbuf", "-oL"};
    command.insert(command.end(), argv.begin(), argv.end());
    return command;
}

ChildProcess::ChildProcess(const std::vector<std::string>& argv,
                           const EnvironmentChanges& environment, const std::string& directory) {
    ignoreBrokenPipes();
    Pipe input, output, errors;
    std::vector<std::string> arguments = argv;
    std::vector<std::string> variables = changedEnvironment(environment);
    std::vector<char*> argumentPointers = pointersTo(arguments);
    std::vector<char*> variablePointers = pointersTo(variables);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input.read, STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, output.write, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, errors.write, STDERR_FILENO);
    if (!directory.empty()) posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());
    // The program gets the default action for a broken pipe back.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
    const int failure = posix_spawnp(&pid_, arguments[0].c_str(), &actions, &attributes,
                                     argumentPointers.data(), variablePointers.data());
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);

    close(input.read);
    close(output.write);
    close(errors.write);
    if (failure != 0) {
        close(input.write);
        close(output.read);
        close(errors.read);
        throw std::runtime_error("cannot start " + arguments[0] + ": " + std::strerror(failure));
    }
    inputFd_ = input.write;
    reader_ = std::thread(&ChildProcess::collectOutput, this, output.read, errors.read);
}

ChildProcess::~ChildProcess() {
    closeInput();
    terminate();
    if (reader_.joinable()) reader_.join();
}

void ChildProcess::terminate() {
    if (status_) return;
    if (waitForExit(0ms)) return;
    kill(pid_, SIGTERM);
    if (waitForExit(2s)) return;
    kill(pid_, SIGKILL);
    int waitStatus = 0;
    if (waitpid(pid_, &waitStatus, 0) == pid_) status_ = statusFromWait(waitStatus);
}

void ChildProcess::writeInput(const std::string& text) {
    std::size_t written = 0;
    while (inputFd_ >= 0 && written < text.size()) {
        const ssize_t n = write(inputFd_, text.data() + written, text.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) throw std::runtime_error("cannot write to the program's input");
        written += static_cast<std::size_t>(n);
    }
}

void ChildProcess::closeInput() {
    if (inputFd_ < 0) return;
    close(inputFd_);
    inputFd_ = -1;
}

void ChildProcess::collectOutput(int outFd, int errFd) {
    pollfd fds[2] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}};
    std::string* targets[2] = {&output_, &errors_};
    int open = 2;
    while (open > 0) {
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0) continue;
            char buffer[4096];
            const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                close(fds[i].fd);
                fds[i].fd = -1;
                --open;
                continue;
            }
            std::lock_guard<std::mutex> lock(mutex_);
            targets[i]->append(buffer, static_cast<std::size_t>(n));
            changed_.notify_all();
        }
    }
    std::lock_guard<std::mutex> lock(mutex_);
    outputEnded_ = true;
    changed_.notify_all();
}

std::string ChildProcess::output() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return output_;
}

std::string ChildProcess::errors() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return errors_;
}

bool ChildProcess::waitForOutput(const std::string& text, std::chrono::milliseconds timeout,
                                 int count) const {
    const auto holds = [&] {
        int found = 0;
        for (std::size_t at = output_.find(text); at != std::string::npos && found < count;
             at = output_.find(text, at + 1))
            ++found;
        return found >= count;
    };
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait_for(lock, timeout, [&] { return holds() || outputEnded_; });
    return holds();
}

bool ChildProcess::waitForOutputEnd(std::chrono::milliseconds timeout) const {
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return outputEnded_; });
}

std::optional<int> ChildProcess::waitForExit(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!status_) {
        int waitStatus = 0;
        const pid_t reaped = waitpid(pid_, &waitStatus, WNOHANG);
        if (reaped == pid_) {
            status_ = statusFromWait(waitStatus);
        } else if (reaped < 0 && errno != EINTR) {
            throw std::runtime_error("lost track of a started program");
        } else if (std::chrono::steady_clock::now() >= deadline) {
            break;
        } else {
            std::this_thread::sleep_for(10ms);
        }
    }
    return status_;
}

bool ChildProcess::hasExited() {
    return waitForExit(0ms).has_value();
}
