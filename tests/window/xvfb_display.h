#pragma once
// A private X server (Xvfb) for one window test, on the first free display number from a
// start that differs between test processes, so that tests running side by side do not
// meet. The server ends with the object.

#include <memory>
#include <string>

#include "window/child_process.h"

class XvfbDisplay {
  public:
    XvfbDisplay();  // throws when no display could be started

    const std::string& name() const { return name_; }  // such as ":93"

    // The environment change that sends a program to this display.
    EnvironmentChanges environment() const { return {{"DISPLAY", name_}}; }

    // Ends the server now, as a crash or a dropped connection would end it for its clients.
    void kill() { server_.reset(); }

  private:
    std::string name_;
    std::unique_ptr<ChildProcess> server_;
};
