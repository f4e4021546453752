#include "app/window/CommandLine.h"

#include "aircraft/ProfileReader.h"
#include "app/shell/ClientSize.h"
#include "app/window/KeyBindings.h"
#include "logs/LogPlayback.h"
#include "logs/LogTime.h"

#include <QCommandLineParser>

#include <array>

namespace {

// One option as --help lists it; `value` names its argument, if it takes one.
struct OptionRow {
    const char* name;
    const char* value;
    const char* help;
};

constexpr auto optionRows = std::to_array<OptionRow>({
    {.name = "record", .value = "FILE", .help = "Record the session as a CSV engine log."},
    {.name = "record-interval",
     .value = "SECONDS",
     .help = "Engine time between recorded rows (default 1; 0 records every tick)."},
    {.name = "force",
     .value = nullptr,
     .help = "Let --record or --write-aircraft replace an existing file."},
    {.name = "replay", .value = "FILE", .help = "Replay a recorded or exported engine log."},
    {.name = "speed", .value = "X", .help = "Replay speed, 1/4 to 64 (default 1)."},
    {.name = "from",
     .value = "TIME",
     .help = "Start the replay this far into the log: seconds or hh:mm:ss."},
    {.name = "xplane",
     .value = "HOST[:PORT]",
     .help = "Show live engine data from X-Plane (port 49000 by default)."},
    {.name = "xplane-map", .value = "FILE", .help = "Dataref map replacing the built-in one."},
    {.name = "flightgear",
     .value = "PORT",
     .help = "Show live engine data FlightGear sends to this UDP port."},
    {.name = "listen",
     .value = "ADDRESS",
     .help = "Address to receive simulator data on (default 127.0.0.1)."},
    {.name = "aircraft",
     .value = "FILE",
     .help = "Read the aircraft profile (TOML): tail number, cylinders, tanks, units, "
             "gauge scales and markings."},
    {.name = "alarms",
     .value = nullptr,
     .help = "Watch the instrument's own limits and raise alarms (on with --aircraft anyway)."},
    {.name = "write-aircraft",
     .value = "FILE",
     .help = "Write the instrument's own aircraft profile, to edit, and exit."},
    {.name = "fullscreen", .value = nullptr, .help = "Fill the whole screen with the panel."},
    {.name = "size", .value = "WxH", .help = "Open with exactly this client size."},
});
constexpr std::size_t optionCount = 15;
static_assert(optionRows.size() == optionCount);

QString keysSection() {
    QString text = QStringLiteral("\nKeys:\n");
    for (const KeyBinding& binding : keyBindings)
        text +=
            QStringLiteral("  %1  %2\n")
                .arg(QString::fromUtf8(binding.name.data(), qsizetype(binding.name.size())), -12)
                .arg(QString::fromUtf8(binding.help.data(), qsizetype(binding.help.size())));
    // The window's own keys and the wheel, which the key table does not hold.
    for (const auto& [name, help] :
         {std::pair{"Escape", "close"}, std::pair{"Enter", "acknowledge the alarms, as A"},
          std::pair{"Alt+Space", "the window menu: move, size, close"},
          std::pair{"Wheel", "over a knob: one step per notch, up pushes it in"}})
        text += QStringLiteral("  %1  %2\n").arg(QLatin1String(name), -12).arg(QLatin1String(help));
    return text;
}

// The parser names the program from the application object, which does not
// exist yet when the command line is read: the usage line is ours.
QString usage(const QCommandLineParser& parser) {
    const QString text = parser.helpText();
    return QStringLiteral("Usage: zentor-demo [options]") +
           text.mid(text.indexOf(QLatin1Char('\n'))) + keysSection();
}

std::optional<QSize> clientSize(const QString& text) {
    const auto size = parseClientSize(text.toStdString());
    return size ? std::optional(QSize(size->width, size->height)) : std::nullopt;
}

ParsedLaunch failure(const QString& message) {
    return {.options = std::nullopt,
            .output = QStringLiteral("zentor-demo: %1\n").arg(message).toStdString(),
            .exitStatus = 2};
}

// Each option's value, checked; the first bad one is the whole answer.
std::optional<QString> readValues(const QCommandLineParser& parser, LaunchOptions& options) {
    const auto bad = [&](const char* option, const char* what) {
        return QStringLiteral("--%1: '%2' is not %3")
            .arg(QLatin1String(option), parser.value(QLatin1String(option)), QLatin1String(what));
    };
    if (parser.isSet(QStringLiteral("record")))
        options.recordPath = parser.value(QStringLiteral("record")).toStdString();
    if (parser.isSet(QStringLiteral("record-interval"))) {
        const auto seconds =
            parseLogPosition(parser.value(QStringLiteral("record-interval")).toStdString());
        if (!seconds)
            return bad("record-interval", "a number of seconds");
        options.recordInterval = *seconds;
    }
    options.overwriteRecording = parser.isSet(QStringLiteral("force"));
    if (parser.isSet(QStringLiteral("replay")))
        options.replayPath = parser.value(QStringLiteral("replay")).toStdString();
    if (parser.isSet(QStringLiteral("speed"))) {
        const auto speed = parseReplaySpeed(parser.value(QStringLiteral("speed")).toStdString());
        if (!speed)
            return bad("speed", "a speed from 1/4 to 64");
        options.replaySpeed = *speed;
    }
    if (parser.isSet(QStringLiteral("from"))) {
        const auto from = parseLogPosition(parser.value(QStringLiteral("from")).toStdString());
        if (!from)
            return bad("from", "a time in seconds or hh:mm:ss");
        options.replayFrom = *from;
    }
    options.live = {.xplane = parser.value(QStringLiteral("xplane")),
                    .xplaneMap = parser.value(QStringLiteral("xplane-map")),
                    .flightgear = parser.value(QStringLiteral("flightgear")),
                    .listen = parser.value(QStringLiteral("listen"))};
    if (parser.isSet(QStringLiteral("aircraft"))) {
        ProfileReading reading =
            readAircraftProfile(parser.value(QStringLiteral("aircraft")).toStdString());
        if (!reading.profile)
            return QString::fromStdString(reading.error);
        options.aircraft = std::move(reading.profile);
    }
    options.alarms = parser.isSet(QStringLiteral("alarms"));
    if (parser.isSet(QStringLiteral("write-aircraft")))
        options.writeAircraftPath = parser.value(QStringLiteral("write-aircraft")).toStdString();
    options.fullscreen = parser.isSet(QStringLiteral("fullscreen"));
    if (parser.isSet(QStringLiteral("size"))) {
        options.clientSize = clientSize(parser.value(QStringLiteral("size")));
        if (!options.clientSize)
            return bad("size", "a client size WxH from 1x1 to 16384x16384");
    }
    return std::nullopt;
}

// Options that only mean something beside another.
std::optional<QString> checkCombinations(const QCommandLineParser& parser,
                                         const LaunchOptions& options) {
    const auto needs = [&](const char* option, const char* other) -> std::optional<QString> {
        if (parser.isSet(QLatin1String(option)) && !parser.isSet(QLatin1String(other)))
            return QStringLiteral("--%1 needs --%2")
                .arg(QLatin1String(option), QLatin1String(other));
        return std::nullopt;
    };
    for (const auto& [option, other] : {std::pair{"record-interval", "record"},
                                        std::pair{"speed", "replay"}, std::pair{"from", "replay"}})
        if (auto problem = needs(option, other))
            return problem;
    if (parser.isSet(QStringLiteral("force")) && !options.recordPath && !options.writeAircraftPath)
        return QStringLiteral("--force needs --record or --write-aircraft");
    if (options.writeAircraftPath) {
        QStringList others = parser.optionNames();
        others.removeAll(QStringLiteral("write-aircraft"));
        others.removeAll(QStringLiteral("force"));
        if (!others.isEmpty())
            return QStringLiteral("--write-aircraft writes a file and exits: it takes no --%1")
                .arg(others.constFirst());
    }
    const bool live = !options.live.xplane.isEmpty() || !options.live.flightgear.isEmpty();
    if (options.replayPath && live)
        return QStringLiteral("--replay cannot run beside a simulator (--xplane, --flightgear)");
    if (options.replayPath && options.recordPath && *options.replayPath == *options.recordPath)
        return QStringLiteral("--record would overwrite the log being replayed");
    return std::nullopt;
}

} // namespace

ParsedLaunch parseLaunchOptions(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Corvane Zentor Demo: an engine monitor for a six-cylinder piston "
                       "aircraft, driven by its own engine model, a replayed engine log or a "
                       "flight simulator."));
    // The program's own help and version options: Qt's help would also offer
    // Qt's window-system options, which the program does not take.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show these options and the keys."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the program's version."));
    parser.addOption(help);
    parser.addOption(version);
    for (const OptionRow& row : optionRows)
        parser.addOption(
            row.value
                ? QCommandLineOption(QString::fromLatin1(row.name), QString::fromLatin1(row.help),
                                     QString::fromLatin1(row.value))
                : QCommandLineOption(QString::fromLatin1(row.name), QString::fromLatin1(row.help)));
    if (!parser.parse(arguments))
        return failure(parser.errorText());
    if (parser.isSet(help))
        return {.options = std::nullopt, .output = usage(parser).toStdString(), .exitStatus = 0};
    if (parser.isSet(version))
        return {.options = std::nullopt,
                .output = QStringLiteral("zentor-demo %1\n")
                              .arg(QStringLiteral(ZENTOR_VERSION))
                              .toStdString(),
                .exitStatus = 0};
    if (!parser.positionalArguments().isEmpty())
        return failure(QStringLiteral("unexpected argument '%1'")
                           .arg(parser.positionalArguments().constFirst()));
    LaunchOptions options;
    if (auto problem = readValues(parser, options))
        return failure(*problem);
    if (auto problem = checkCombinations(parser, options))
        return failure(*problem);
    return {.options = options, .output = {}, .exitStatus = 0};
}
