#include "suggest/suggest_file.h"

#include <cstdio>
#include <memory>
#include <optional>
#include <ostream>
#include <sstream>

#include "convert/file_messages.h"
#include "convert/open_input.h"
#include "convert/output_names.h"
#include "import/radiation_choice.h"
#include "open/load.h"
#include "points/background_files.h"
#include "points/peak_position_files.h"
#include "points/point_list.h"
#include "suggest/spacing_file.h"
#include "suggest/suggestable.h"

namespace {

// What one part wrote, for the summary line.
struct PartReport {
    std::string text;
    bool ok = true;
};

std::string angle(double tth) {
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", tth);
    return text;
}

// True when every path may be written; says on the error stream why each other may not.
bool mayWrite(const SuggestContext& context, const std::vector<std::string>& paths) {
    bool may = true;
    for (const std::string& path : paths) {
        if (const std::optional<std::string> refusal = context.guard.refusal(path)) {
            context.err << path << ": " << *refusal << '\n';
            may = false;
        }
    }
    return may;
}

PartReport writeBackground(const SuggestContext& context, const std::string& name,
                           const DataFileName& target, const Suggestions& found) {
    if (found.background.empty()) {
        if (!found.tooShort)
            context.err << name << ": no stretch of the pattern is free of peaks: no background "
                        << "points\n";
        return {"no background points"};
    }
    const std::vector<std::string> paths{target.withExtension("fbg"), target.withExtension("gbg")};
    if (!mayWrite(context, paths)) return {"background points not written", false};
    PointList list;
    for (const SuggestedPoint& point : found.background) {
        ++list.last;
        list.x[list.last] = static_cast<float>(point.tth);
        list.y[list.last] = static_cast<float>(point.cts);
    }
    if (const std::optional<std::string> failure = writeBackgroundFiles(list, target)) {
        context.err << *failure << '\n';
        return {"background points not written", false};
    }
    for (const std::string& path : paths) context.guard.recordWritten(path);
    for (const auto& [from, to] : found.bareStretches)
        context.err << name << ": no background point from " << angle(from) << " to " << angle(to)
                    << ": peaks and their tails leave no free place there\n";
    std::ostringstream text;
    text << found.background.size()
         << (found.background.size() == 1 ? " background point in " : " background points in ")
         << paths[0] << " and " << paths[1];
    return {text.str()};
}

PartReport writePeaks(const SuggestContext& context, const std::string& name,
                      const DataFileName& target, const Suggestions& found,
                      const std::optional<Radiation>& radiation) {
    if (found.companionsLeftOut > 0)
        context.err << name << ": " << found.companionsLeftOut
                    << " Kalpha2 companions left out: the positions are Kalpha1 lines\n";
    if (found.tubePairs) {
        context.err << name << ": the peaks come in Kα1/Kα2 pairs of a " << found.tubePairs->anode
                    << " tube: --anode " << found.tubePairs->anode << " fits them as doublets\n"
                    << name << ": Kα1 lines at";
        for (const double tth : found.tubePairs->kalpha1) context.err << ' ' << angle(tth);
        context.err << '\n';
    }
    if (found.peaks.empty()) return {"no peaks"};
    if (found.peaksLeftOut > 0)
        context.err << name << ": " << found.peaksLeftOut << " weaker peaks left out: xrdpick's "
                    << "peak list holds " << kPointListCapacity << '\n';
    const std::string path = target.withExtension("cdt");
    // With a wavelength the spacings go beside the positions.
    const std::string spacings = radiation ? target.withExtension("dsp") : "";
    std::vector<std::string> paths{path};
    if (radiation) paths.push_back(spacings);
    if (!mayWrite(context, paths)) return {"peak positions not written", false};
    PointList list;
    for (const FoundPeak& peak : found.peaks) {
        ++list.last;
        list.x[list.last] = static_cast<float>(peak.tth);
        list.y[list.last] = static_cast<float>(peak.height);
    }
    if (const std::optional<std::string> failure = writePeakPositionFile(path, list)) {
        context.err << *failure << '\n';
        return {"peak positions not written", false};
    }
    context.guard.recordWritten(path);
    std::ostringstream text;
    text << found.peaks.size() << (found.peaks.size() == 1 ? " peak in " : " peaks in ") << path;
    if (!radiation) return {text.str()};
    if (const std::optional<std::string> failure =
            writeSpacingFile(spacings, found.peaks, radiation->lambda1)) {
        context.err << *failure << '\n';
        return {text.str() + ", spacings not written", false};
    }
    context.guard.recordWritten(spacings);
    text << " and " << spacings;
    return {text.str()};
}

void reportSpikes(const SuggestContext& context, const std::string& name,
                  const Suggestions& found) {
    for (const auto& [first, last] : found.spikes) {
        if (first == last)
            context.err << name << ": a one-point spike at " << angle(first);
        else
            context.err << name << ": a two-point spike at " << angle(first) << " and "
                        << angle(last);
        context.err << " is not taken for a peak\n";
    }
}

std::unique_ptr<PatternStore> readPattern(const SuggestContext& context, const std::string& name) {
    // The load step opens the file itself; opened here first, a file that cannot be read is
    // named with the system's reason.
    std::FILE* file = openInput(name, context.err);
    if (!file) return nullptr;
    std::fclose(file);
    auto store = std::make_unique<PatternStore>();
    DataFileName loaded;
    bool ok = false;
    {
        FileMessages messages(context.err, name);
        ok = loadPatternFile(name, context.options.input, messages.console(), *store, loaded);
    }
    if (!ok) return nullptr;
    store->radiation = chooseRadiation(store->radiation, context.options.input.radiation);
    context.err << name << ": " << describeRadiation(store->radiation) << '\n';
    if (const std::string reason = unsuggestableReason(*store); !reason.empty()) {
        context.err << name << ": " << reason << "; nothing suggested\n";
        return nullptr;
    }
    return store;
}

}  // namespace

bool suggestFile(const SuggestContext& context, const std::string& name) {
    const std::string stem = patternStem(name);
    if (stem.empty()) {
        context.err << name << ": no name before the extension to name the files after\n";
        return false;
    }
    const std::unique_ptr<PatternStore> store = readPattern(context, name);
    if (!store) return false;
    const Suggestions found = suggest(*store, context.options.settings);
    if (found.tooShort)
        context.err << name << ": fewer than " << kFewestPoints << " points: nothing to suggest\n";
    reportSpikes(context, name, found);

    // DIR/STEM.xy names the files as xrdpick names them after its data file.
    const DataFileName target{outputPath(context.options.outdir, stem, 'x'), 'x'};
    std::vector<PartReport> parts;
    if (context.options.background) parts.push_back(writeBackground(context, name, target, found));
    if (context.options.peaks)
        parts.push_back(writePeaks(context, name, target, found, store->radiation));
    bool ok = true;
    context.out << name << ':';
    for (std::size_t k = 0; k < parts.size(); ++k) {
        context.out << (k == 0 ? " " : ", ") << parts[k].text;
        ok = ok && parts[k].ok;
    }
    context.out << '\n';
    return ok;
}
