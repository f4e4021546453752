#pragma once

#include <optional>
#include <string>
#include <string_view>

inline constexpr double slowestReplaySpeed = 0.25;
inline constexpr double fastestReplaySpeed = 64;

// "2", "0.5" or "1/4": a replay speed within 1/4 .. 64.
std::optional<double> parseReplaySpeed(std::string_view text);
// "1/4x", "1/2x", "1x", "2x", "1.5x".
std::string formatReplaySpeed(double speed);

// Where a replay stands: its position in the log, its speed, whether it is
// paused. The frame tick advances it; the keys pause, seek and change the speed.
class LogPlayback {
public:
    explicit LogPlayback(double from = 0, double speed = 1);

    // The log's length as read so far; `final` once it is read to its end, so
    // that playback may stop there.
    void setLength(double seconds, bool final);
    // One tick of real time. At the end of the log the position stays on its
    // last row and playback pauses.
    void advance(double realSeconds);

    void togglePause() { halted = !halted; }
    void seekBy(double seconds);
    void toStart() { place = 0; }
    void faster();
    void slower();

    double position() const { return place; }
    double speed() const { return rate; }
    double length() const { return known; }
    bool paused() const { return halted; }
    // On the last row of a log read to its end.
    bool atEnd() const { return final && place >= known; }

private:
    double place;
    double rate;
    double known = 0;
    bool final = false;
    bool halted = false;
};

// The caption's replay part: "flight.csv 00:12:05 / 01:30:00 2x", with
// "paused" after it while paused.
std::string replayCaption(std::string_view fileName, const LogPlayback& playback);
