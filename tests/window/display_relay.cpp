#include "window/display_relay.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <stdexcept>
#include <vector>

namespace {

constexpr int kFirstDisplay = 151;
constexpr int kLastDisplay = 210;

// The abstract socket address a display's clients try first ("@/tmp/.X11-unix/X93").
sockaddr_un displayAddress(const std::string& number, socklen_t& length) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string path = "/tmp/.X11-unix/X" + number;
    std::memcpy(address.sun_path + 1, path.data(), path.size());
    length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + path.size());
    return address;
}

int connectTo(const std::string& number) {
    socklen_t length = 0;
    const sockaddr_un address = displayAddress(number, length);
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd >= 0 && connect(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0) return fd;
    if (fd >= 0) close(fd);
    return -1;
}

// One program's connection and the relay's own to the server.
struct Link {
    int program;
    int server;
    bool drained = false;  // refused, and all the program wrote before has been passed on
};

// Passes what is waiting on `from` to `to`; false once either side is closed.
bool pass(int from, int to) {
    char buffer[65536];
    const ssize_t got = read(from, buffer, sizeof buffer);
    if (got <= 0) return false;
    for (ssize_t sent = 0; sent < got;) {
        const ssize_t done = send(to, buffer + sent, static_cast<size_t>(got - sent), MSG_NOSIGNAL);
        if (done <= 0) return false;
        sent += done;
    }
    return true;
}

}  // namespace

DisplayRelay::DisplayRelay(const std::string& serverName) : serverSocket_(serverName.substr(1)) {
    if (pipe2(wake_, O_CLOEXEC) != 0) throw std::runtime_error("cannot create a pipe");
    for (int number = kFirstDisplay; number <= kLastDisplay && listener_ < 0; ++number) {
        socklen_t length = 0;
        const sockaddr_un address = displayAddress(std::to_string(number), length);
        const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0) break;
        if (bind(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0 &&
            listen(fd, 8) == 0) {
            listener_ = fd;
            name_ = ":" + std::to_string(number);
        } else {
            close(fd);
        }
    }
    if (listener_ < 0) {
        close(wake_[0]);
        close(wake_[1]);
        throw std::runtime_error("no free display for a relay between :151 and :210");
    }
    thread_ = std::thread(&DisplayRelay::relay, this);
}

DisplayRelay::~DisplayRelay() {
    stopping_ = true;
    [[maybe_unused]] const ssize_t told = write(wake_[1], "s", 1);
    thread_.join();
    close(listener_);
    close(wake_[0]);
    close(wake_[1]);
}

void DisplayRelay::refuseWrites() {
    refusing_ = true;
    [[maybe_unused]] const ssize_t told = write(wake_[1], "r", 1);
    std::unique_lock<std::mutex> lock(mutex_);
    refusedNow_.wait(lock, [this] { return refused_; });
}

void DisplayRelay::relay() {
    std::vector<Link> links;
    bool refused = false;
    while (!stopping_) {
        if (refusing_ && !refused) {
            // The program's side of each connection stays open for what the server sends.
            for (const Link& link : links) shutdown(link.program, SHUT_RD);
            refused = true;
            {
                std::lock_guard<std::mutex> lock(mutex_);
                refused_ = true;
            }
            refusedNow_.notify_all();
        }
        std::vector<pollfd> polled = {{wake_[0], POLLIN, 0}, {listener_, POLLIN, 0}};
        for (const Link& link : links) {
            polled.push_back({link.program, static_cast<short>(link.drained ? 0 : POLLIN), 0});
            polled.push_back({link.server, POLLIN, 0});
        }
        if (poll(polled.data(), polled.size(), -1) < 0) continue;
        if (polled[0].revents & POLLIN) {
            char told;
            [[maybe_unused]] const ssize_t got = read(wake_[0], &told, 1);
        }
        std::vector<Link> open;
        for (std::size_t i = 0; i < links.size(); ++i) {
            const pollfd& program = polled[2 + 2 * i];
            const pollfd& server = polled[3 + 2 * i];
            bool alive = true;
            if (refused && (program.revents & POLLIN)) {
                // What a program wrote before its writes began to fail still reaches the
                // server: a request it sent and now awaits the reply of would hold it for
                // ever, and so would a buffer left full.
                links[i].drained = !pass(links[i].program, links[i].server);
            } else if (!refused && (program.revents & (POLLIN | POLLHUP | POLLERR))) {
                alive = pass(links[i].program, links[i].server);
            }
            if (alive && (server.revents & (POLLIN | POLLHUP | POLLERR)))
                alive = pass(links[i].server, links[i].program);
            if (alive) {
                open.push_back(links[i]);
            } else {
                close(links[i].program);
                close(links[i].server);
            }
        }
        links = std::move(open);
        if (polled[1].revents & POLLIN) {
            const int program = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
            const int server = program >= 0 ? connectTo(serverSocket_) : -1;
            if (server >= 0) {
                links.push_back({program, server, refused});
                if (refused) shutdown(program, SHUT_RD);
            } else if (program >= 0) {
                close(program);
            }
        }
    }
    for (const Link& link : links) {
        close(link.program);
        close(link.server);
    }
}
