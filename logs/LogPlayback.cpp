#include "logs/LogPlayback.h"

#include "logs/CellNumbers.h"
#include "logs/LogTime.h"

#include <algorithm>
#include <charconv>
#include <cmath>

std::optional<double> parseReplaySpeed(std::string_view text) {
    std::optional<double> speed;
    if (const std::size_t slash = text.find('/'); slash != std::string_view::npos) {
        const auto over = readNumber(text.substr(0, slash));
        const auto under = readNumber(text.substr(slash + 1));
        if (over && under && *under != 0)
            speed = *over / *under;
    } else {
        speed = readNumber(text);
    }
    if (!speed || !(*speed >= slowestReplaySpeed && *speed <= fastestReplaySpeed))
        return std::nullopt;
    return speed;
}

std::string formatReplaySpeed(double speed) {
    if (speed > 0 && speed < 1 && std::fabs(1 / speed - std::round(1 / speed)) < 1e-9)
        return "1/" + std::to_string(long(std::lround(1 / speed))) + "x";
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, speed);
    return std::string(text, end.ptr) + "x";
}

LogPlayback::LogPlayback(double from, double speed)
    : place(std::isfinite(from) ? std::max(from, 0.0) : 0.0),
      rate(std::clamp(std::isfinite(speed) ? speed : 1.0, slowestReplaySpeed, fastestReplaySpeed)) {
}

void LogPlayback::setLength(double seconds, bool complete) {
    known = std::isfinite(seconds) ? std::max(seconds, 0.0) : 0.0;
    final = complete;
    if (final && place > known)
        place = known;
}

void LogPlayback::advance(double realSeconds) {
    if (halted || !(realSeconds > 0))
        return;
    place += realSeconds * rate;
    if (final && place >= known) {
        place = known;
        halted = true;
    }
}

void LogPlayback::seekBy(double seconds) {
    // While the log is still being read, a seek may go past what is known.
    place = std::max(0.0, place + seconds);
    if (final)
        place = std::min(place, known);
}

void LogPlayback::faster() {
    rate = std::min(rate * 2, fastestReplaySpeed);
}
void LogPlayback::slower() {
    rate = std::max(rate / 2, slowestReplaySpeed);
}

std::string replayCaption(std::string_view fileName, const LogPlayback& playback) {
    std::string caption(fileName);
    caption += " " + formatLogClock(playback.position()) + " / " +
               formatLogClock(playback.length()) + " " + formatReplaySpeed(playback.speed());
    if (playback.paused())
        caption += " paused";
    return caption;
}
