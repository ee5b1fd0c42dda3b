#pragma once
// A program started by a window test, with its standard input fed through a pipe and its
// standard output and error collected as they come. The destructor ends the program (if
// it still runs) by its process id and reaps it.

#include <sys/types.h>

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// Changes to the inherited environment: a value sets the variable, none removes it.
using EnvironmentChanges = std::map<std::string, std::optional<std::string>>;

// The command that runs argv with its standard output line-buffered, as on a terminal: a
// program's output into a pipe is otherwise held back until its buffer fills or it ends,
// and a test could not react to a line when the program prints it. The program keeps its
// process id (stdbuf executes it).
std::vector<std::string> lineBuffered(const std::vector<std::string>& argv);

class ChildProcess {
  public:
    // Starts argv[0] (searched on PATH) in `directory` ("" for the current one).
    ChildProcess(const std::vector<std::string>& argv, const EnvironmentChanges& environment,
                 const std::string& directory = "");
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return pid_; }

    void writeInput(const std::string& text);
    void closeInput();

    std::string output() const;  // standard output so far
    std::string errors() const;  // standard error so far

    // True once standard output holds `text` at least `count` times; false at the timeout
    // or when the output has ended without it.
    bool waitForOutput(const std::string& text, std::chrono::milliseconds timeout,
                       int count = 1) const;

    // True once the program's output pipes have closed, so that output() is complete.
    bool waitForOutputEnd(std::chrono::milliseconds timeout) const;

    // The exit status once the program has ended (128 + signal when killed), or none if it
    // still runs at the timeout.
    std::optional<int> waitForExit(std::chrono::milliseconds timeout);
    bool hasExited();

  private:
    void collectOutput(int outFd, int errFd);
    void terminate();

    pid_t pid_ = -1;
    int inputFd_ = -1;
    std::optional<int> status_;
    std::thread reader_;

    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    std::string output_;
    std::string errors_;
    bool outputEnded_ = false;
};
