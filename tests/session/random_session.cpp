#include "random_session.h"

#include <deque>
#include <memory>
#include <set>
#include <sstream>

#include "driver/run.h"
#include "driver/run_state.h"
#include "random_session_events.h"
#include "random_session_invariants.h"
#include "random_session_patterns.h"
#include "support/temp_dir.h"

namespace {

constexpr int kMostConsoleLines = 60;
constexpr std::size_t kEventsKept = 12;  // shown with a failure, to replay it by hand
constexpr int kNoInputOdds = 5000;       // one cursor read in so many gives no input
constexpr int kDeviceFailureOdds = 8;    // one device open in so many fails

const char* const kBackgroundBanner = "Choose some region for BACKGROUND EXTRACTION";
const char* const kPeakBanner = "Choose some region for ASYMMETRIC FITTING";

bool startsWith(const char* text, const char* prefix) {
    return std::string(text).rfind(prefix, 0) == 0;
}

// A scripted device that makes up each cursor event when the run asks for one, aimed at the
// window the run shows, and checks the run before answering. Now and then it gives no cursor
// input, or refuses to open a device, as a real device may. It learns the side from the
// banner each side's region choice draws, and forgets the drawing calls as it goes, so that a
// long session keeps little memory.
class RandomGraphics : public ScriptedGraphics {
  public:
    RandomGraphics(unsigned seed, int maxEvents, std::istringstream& consoleInput)
        : events_(seed), eventsLeft_(maxEvents), consoleInput_(consoleInput) {}

    void watch(const RunState& state) { state_ = &state; }
    void allow(const std::string& name) { allowed_.insert(name); }
    void allowWords(const std::vector<std::string>& lines);
    RandomEvents& random() { return events_; }
    int answered() const { return answered_; }
    std::string recentEvents() const;

    // Checks the state the last event left; called before every answer and at the end of
    // a run that reached the modes.
    void checkAfterEvent();
    bool reachedModes() const { return loaded_ != nullptr; }

    void env(float xmin, float xmax, float ymin, float ymax, int just, int axis) override {
        checkWindow(xmin, xmax, ymin, ymax);
        ScriptedGraphics::env(xmin, xmax, ymin, ymax, just, axis);
    }
    void ptxt(float x, float y, float angle, float fjust, const char* text) override {
        if (startsWith(text, kBackgroundBanner)) side_ = Side::Background;
        if (startsWith(text, kPeakBanner)) side_ = Side::Peak;
        ScriptedGraphics::ptxt(x, y, angle, fjust, text);
    }
    int open(const char* device) override {
        openResult = events_.oneIn(kDeviceFailureOdds) ? 0 : 1;
        return ScriptedGraphics::open(device);
    }
    int begin(int unit, const char* file, int nxsub, int nysub) override {
        beginResults.push_back(events_.oneIn(kDeviceFailureOdds) ? 0 : 1);
        return ScriptedGraphics::begin(unit, file, nxsub, nysub);
    }
    int band(int mode, int posn, float xref, float yref, float* x, float* y, char* ch) override {
        if (!prepareEvent()) return 0;
        return ScriptedGraphics::band(mode, posn, xref, yref, x, y, ch);
    }
    int curs(float* x, float* y, char* ch) override {
        if (!prepareEvent()) return 0;
        return ScriptedGraphics::curs(x, y, ch);
    }

  private:
    // Checks the run and queues the next event; false when the device gives no input.
    bool prepareEvent();
    std::set<std::string> allowedNow() const;

    RandomEvents events_;
    int eventsLeft_;
    int answered_ = 0;
    std::istringstream& consoleInput_;
    const RunState* state_ = nullptr;
    std::unique_ptr<PatternStore> loaded_;  // the pattern as the first event found it
    Side side_ = Side::Background;
    bool saveKeySent_ = false;
    std::set<std::string> allowed_;
    std::vector<std::pair<std::string, std::size_t>> wordsTyped_;  // word, end of its line
    std::deque<CursorEvent> recent_;
};

void RandomGraphics::allowWords(const std::vector<std::string>& lines) {
    std::size_t end = 0;
    for (const std::string& line : lines) {
        end += line.size() + 1;
        wordsTyped_.push_back({line, end});
        std::istringstream words(line);
        std::string word;
        while (words >> word) wordsTyped_.push_back({word, end});
    }
}

// Files may carry the names the user has typed so far, and the data file's stem with the
// point file extensions once a save key has been pressed.
std::set<std::string> RandomGraphics::allowedNow() const {
    std::set<std::string> allowed = allowed_;
    const std::streampos read = consoleInput_.tellg();
    for (const auto& [word, end] : wordsTyped_)
        if (read < 0 || static_cast<std::size_t>(read) >= end) allowed.insert(word);
    if (saveKeySent_ && state_) {
        for (const char* extension : {"fbg", "gbg", "cdt"})
            allowed.insert(state_->dataFile.withExtension(extension));
    }
    return allowed;
}

void RandomGraphics::checkAfterEvent() {
    if (!loaded_) loaded_ = std::make_unique<PatternStore>(state_->pattern);
    checkRunInvariants(*state_, side_, *loaded_);
    checkNoUnaskedFiles(allowedNow());
}

bool RandomGraphics::prepareEvent() {
    checkAfterEvent();
    clearCalls();
    if (eventsLeft_ == 0) return true;  // the empty queue ends the session
    --eventsLeft_;
    ++answered_;
    if (events_.oneIn(kNoInputOdds)) return false;
    const CursorEvent event = events_.next(state_->view.win, state_->pattern);
    if (event.ch == 's' || event.ch == 'S') saveKeySent_ = true;
    events.push_back(event);
    recent_.push_back(event);
    if (recent_.size() > kEventsKept) recent_.pop_front();
    return true;
}

std::string RandomGraphics::recentEvents() const {
    std::ostringstream text;
    for (const CursorEvent& event : recent_)
        text << "(" << event.x << ", " << event.y << ", " << static_cast<int>(event.ch) << ") ";
    return text.str();
}

std::string lastLines(const std::string& transcript) {
    constexpr std::size_t kShown = 1500;
    return transcript.size() <= kShown ? transcript : transcript.substr(transcript.size() - kShown);
}

std::string joinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

}  // namespace

RandomSessionEnd runRandomSession(unsigned seed, int maxEvents) {
    const SessionPattern pattern = sessionPattern(seed);
    for (const auto& [name, content] : pattern.files) writeFile(name, content);
    writeFile(kSessionPointFile, "11.000000\t150.000000\t0.0\n13.000000\t120.000000\t0.0\n");
    writeFile(kSessionPeakFile, " 12.0000\n 14.0000\n");

    std::istringstream consoleInput;
    std::ostringstream consoleOutput;
    Console console(consoleInput, consoleOutput);
    RandomGraphics gfx(seed, maxEvents, consoleInput);
    const std::vector<std::string> lines = gfx.random().consoleLines(kMostConsoleLines);
    consoleInput.str(joinLines(lines));
    gfx.allowWords(lines);
    for (const auto& [name, content] : pattern.files) gfx.allow(name);
    gfx.allow(kSessionPointFile);
    gfx.allow(kSessionPeakFile);

    auto state = std::make_unique<RunState>(console, gfx);
    gfx.watch(*state);
    RandomSessionEnd end;
    try {
        run({pattern.name}, *state);
        if (gfx.reachedModes()) gfx.checkAfterEvent();
    } catch (const ScriptExhausted&) {
        // every event answered: the session ends here
    } catch (const InvariantBroken& broken) {
        end.failure = "seed " + std::to_string(seed) + ", event " + std::to_string(gfx.answered()) +
                      ": " + broken.what() + "\nlast events (x, y, key): " + gfx.recentEvents() +
                      "\nconsole, last lines:\n" + lastLines(consoleOutput.str());
    }
    end.events = gfx.answered();
    return end;
}
