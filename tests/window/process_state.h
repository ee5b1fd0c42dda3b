#pragma once
// What a program under test is doing, read from /proc.
//
// giza's screen device listens for clicks and keys only while a cursor read waits, so an
// event sent earlier is lost. A cursor read blocks in poll() on the X connection with no
// time limit; the program's other waits are console reads (read()) and short round trips
// to the server. So a program that sleeps in poll() and stays there for a while waits for
// the cursor.

#include <sys/types.h>

#include <chrono>

// True once the process has slept in poll() for a settled stretch; false if it ended or the
// timeout passed first.
bool waitUntilReadingCursor(pid_t pid, std::chrono::milliseconds timeout);

// How often the process has given up the processor so far; -1 once it is gone. A program
// waiting for the cursor sleeps without waking, so a change shows that it handled an event.
long contextSwitches(pid_t pid);
