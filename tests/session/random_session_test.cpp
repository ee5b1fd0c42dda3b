// Random sessions through the whole program: made-up clicks, keys and console answers on
// patterns of every kind, with the run's invariants checked after every event. The seeds are
// fixed, so a failure replays. XRDPICK_SESSION_EVENTS sets the total number of events (a long
// campaign, as scripts/fuzz.sh runs it; by default a short, fixed run), and
// XRDPICK_SESSION_SEED the first seed (XRDPICK_SESSION_EVENTS=1 then replays that one).

#include "random_session.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "support/temp_dir.h"

namespace {

constexpr long kDefaultEvents = 3000;
constexpr int kEventsPerSession = 400;

long fromEnvironment(const char* name, long otherwise) {
    const char* text = std::getenv(name);
    return text ? std::atol(text) : otherwise;
}

TEST(RandomSession, KeepsTheRunSoundAfterEveryEvent) {
    const long total = fromEnvironment("XRDPICK_SESSION_EVENTS", kDefaultEvents);
    long done = 0;
    const unsigned first = fromEnvironment("XRDPICK_SESSION_SEED", 1);
    unsigned seed = first;
    for (; done < total; ++seed) {
        TempDir dir;
        const RandomSessionEnd end = runRandomSession(seed, kEventsPerSession);
        ASSERT_EQ(end.failure, "");
        done += end.events;
    }
    RecordProperty("events", std::to_string(done));
    RecordProperty("sessions", std::to_string(seed - first));
}

}  // namespace
