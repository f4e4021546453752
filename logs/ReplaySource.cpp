#include "logs/ReplaySource.h"

#include "engine/Engine.h"
#include "engine/SampleValues.h"
#include "logs/LogTime.h"

#include <array>
#include <filesystem>

namespace {

constexpr double shortSeek = 10; // seconds of the log, Left and Right
constexpr double longSeek = 60;  // with Shift

// Space on the last row plays the log again from its start.
void pauseOrResume(LogPlayback& playback) {
    if (playback.paused() && playback.atEnd())
        playback.toStart();
    playback.togglePause();
}

// What each of the player's keys does, in the order of PlayerControl.
struct PlayerKey {
    PlayerControl control;
    void (*act)(LogPlayback&);
};

constexpr std::size_t playerKeyCount = 8;
constexpr auto playerKeys = std::to_array<PlayerKey>({
    {.control = PlayerControl::pauseOrResume, .act = pauseOrResume},
    {.control = PlayerControl::seekBack, .act = [](LogPlayback& p) { p.seekBy(-shortSeek); }},
    {.control = PlayerControl::seekForward, .act = [](LogPlayback& p) { p.seekBy(shortSeek); }},
    {.control = PlayerControl::seekBackLong, .act = [](LogPlayback& p) { p.seekBy(-longSeek); }},
    {.control = PlayerControl::seekForwardLong, .act = [](LogPlayback& p) { p.seekBy(longSeek); }},
    {.control = PlayerControl::faster, .act = [](LogPlayback& p) { p.faster(); }},
    {.control = PlayerControl::slower, .act = [](LogPlayback& p) { p.slower(); }},
    {.control = PlayerControl::toStart, .act = [](LogPlayback& p) { p.toStart(); }},
});
static_assert(playerKeys.size() == playerKeyCount);

constexpr bool playerKeysInOrder() {
    for (std::size_t i = 0; i < playerKeys.size(); ++i)
        if (std::size_t(playerKeys[i].control) != i || !playerKeys[i].act)
            return false;
    return true;
}
static_assert(playerKeysInOrder());

} // namespace

ReplaySource::Opened ReplaySource::open(const std::string& path, ReplayOptions options) {
    EngineLog::Opened opened = EngineLog::open(path, options.log);
    if (!opened.log)
        return {nullptr, std::move(opened.error)};
    if (options.from > 0) {
        opened.log->waitForIndex(options.from);
        // A time of day typed where a place in the log is meant lands here.
        const LogProgress read = opened.log->progress();
        if (options.from > read.length)
            return {nullptr,
                    {path, 0,
                     "--from " + formatLogClock(options.from) + " is past the end of the log (" +
                         formatLogClock(read.length) + " long)"}};
    }
    return {std::make_unique<ReplaySource>(std::move(opened.log), std::move(options)), {}};
}

ReplaySource::ReplaySource(std::unique_ptr<EngineLog> log, ReplayOptions options)
    : engineLog(std::move(log)), player(options.from, options.speed),
      fileName(std::filesystem::path(engineLog->name()).filename().string()),
      tickSeconds(options.tickSeconds), report(std::move(options.report)) {}

void ReplaySource::step(EngineState& record) {
    progress = engineLog->progress();
    player.setLength(progress.length, progress.complete);
    // The first tick shows where the replay starts; each later one a tick on.
    if (stepped)
        player.advance(tickSeconds);
    stepped = true;
    // A start past the end shows the last row, paused, as an end reached does.
    if (player.atEnd() && !player.paused())
        player.togglePause();
    applySample(engineLog->sampleAt(player.position()), record);
    noteBadRows();
}

void ReplaySource::noteBadRows() {
    if (!progress.complete)
        return;
    findings = badRowsReport(progress);
    if (reported || findings.empty())
        return;
    reported = true;
    if (report)
        report(engineLog->name() + ": " + findings);
}

std::string ReplaySource::status() const {
    std::string status = replayCaption(fileName, player);
    if (!findings.empty())
        status += " \u2014 " + findings;
    return status;
}

bool ReplaySource::control(PlayerControl what) {
    const auto row = std::size_t(what);
    if (row >= playerKeys.size())
        return false;
    playerKeys[row].act(player);
    return true;
}
