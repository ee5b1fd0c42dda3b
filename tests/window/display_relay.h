#pragma once
// A display of its own that passes every connection on to a test's X server, so that a test
// can break a program's connection in the one way a dying server breaks it at random: the
// program's next write meets a closed connection (EPIPE, and SIGPIPE unless ignored) while
// nothing tells its reads that the connection is gone.

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

#include "window/child_process.h"

class DisplayRelay {
  public:
    // Listens on the first free display number from :151, for the server at serverName
    // (such as ":93"). Throws when it cannot.
    explicit DisplayRelay(const std::string& serverName);
    ~DisplayRelay();
    DisplayRelay(const DisplayRelay&) = delete;
    DisplayRelay& operator=(const DisplayRelay&) = delete;

    const std::string& name() const { return name_; }
    EnvironmentChanges environment() const { return {{"DISPLAY", name_}}; }

    // From now on every write of a connected program fails; what the server sends still
    // reaches it, so that a click makes it draw. Returns once the relay refuses. What the
    // program wrote before still reaches the server, as a server's own buffer would take
    // it: a request accepted and then dropped would leave the program waiting for its reply
    // for ever, which no dying server does.
    void refuseWrites();

  private:
    void relay();

    std::string name_;
    std::string serverSocket_;
    int listener_ = -1;
    int wake_[2] = {-1, -1};  // tells the relay thread to stop or to refuse writes
    std::atomic<bool> refusing_{false};
    std::mutex mutex_;
    std::condition_variable refusedNow_;
    bool refused_ = false;  // under mutex_: the relay has shut its links' reading down
    std::atomic<bool> stopping_{false};
    std::thread thread_;
};
