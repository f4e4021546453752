// zentor-snapshot: renders one frame of the instrument for a chosen engine
// state and writes it as a PNG, for documentation, review and tests.

#include "app/shell/Instrument.h"
#include "tools/LeanSnapshot.h"
#include "tools/ReviewOutput.h"
#include "tools/Snapshot.h"

#include <QGuiApplication>

#include <cstdio>
#include <optional>
#include <string_view>
#include <vector>

namespace {

// The frame for the options and, with --lean, the line saying what its
// screen shows of the search.
int writeFrame(const SnapshotOptions& options, const LoggedMoment& logged) {
    std::optional<LeanFinder> lean;
    if (options.lean) {
        const AircraftProfile& profile = options.aircraft ? *options.aircraft : instrumentProfile;
        LeanReplay replay = leanSearchOf(*options.replay, *options.lean, *options.at, profile);
        if (!replay.finder) {
            std::fprintf(stderr, "zentor-snapshot: %s\n", replay.error.c_str());
            return 2;
        }
        lean = std::move(replay.finder);
    }
    // Frames are opaque, as the window shows them.
    const EngineSample* values = logged.values ? &*logged.values : nullptr;
    Instrument instrument;
    const std::u16string registration = QString::fromStdString(logged.aircraft).toStdU16String();
    const QImage frame =
        renderFrame(instrument, options, values, registration, lean ? &*lean : nullptr)
            .convertToFormat(QImage::Format_RGB32);
    if (!frame.save(QString::fromStdString(options.output), "PNG")) {
        std::fprintf(stderr, "zentor-snapshot: cannot write %s\n", options.output.c_str());
        return 1;
    }
    if (lean)
        std::puts(leanLine(*options.at, *instrument.renderer.lean,
                           instrument.engine.selectedCylinder, lean->channels())
                      .c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string_view> arguments(argv + 1, argv + argc);
    const ParsedCommandLine parsed = parseSnapshotCommandLine(arguments);
    if (parsed.help) {
        std::printf("%.*s\n", int(snapshotUsage.size()), snapshotUsage.data());
        return 0;
    }
    if (!parsed.options) {
        std::fprintf(stderr, "zentor-snapshot: %s\n", parsed.error.c_str());
        return 2;
    }

    if (parsed.options->describe) {
        const LogReport report = describeLogFile(*parsed.options->replay);
        if (!report.error.empty()) {
            std::fprintf(stderr, "zentor-snapshot: %s\n", report.error.c_str());
            return 2;
        }
        std::fputs(report.text.c_str(), stdout);
        return 0;
    }

    if (parsed.options->review) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication application(argc, argv);
        const ReviewOutcome outcome = writeReview(*parsed.options);
        if (outcome.status)
            std::fprintf(stderr, "zentor-snapshot: %s\n", outcome.error.c_str());
        return outcome.status;
    }

    LoggedMoment logged;
    if (parsed.options->replay) {
        logged = readLoggedMoment(*parsed.options->replay, parsed.options->at.value_or(0));
        if (!logged.values) {
            std::fprintf(stderr, "zentor-snapshot: %s\n", logged.error.c_str());
            return 2;
        }
        if (!logged.badRows.empty())
            std::fprintf(stderr, "zentor-snapshot: %s\n", logged.badRows.c_str());
    }

    // Text needs the GUI font database; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);

    return writeFrame(*parsed.options, logged);
}
