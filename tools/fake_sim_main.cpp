// zentor-fake-sim: a fake X-Plane or FlightGear on this machine, to try the
// live mode without a simulator.
//   zentor-fake-sim xplane [--port 49000]
//   zentor-fake-sim flightgear PORT
// --silent-every S --silent-for T makes it fall silent for T seconds every
// S seconds, so that the monitor's stale-data screen can be seen.
#include "live/LiveOptions.h"
#include "live/XPlaneLink.h"
#include "live/fake/FakeFlightGear.h"
#include "live/fake/FakeXPlane.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>

namespace {

int usage(const QCommandLineParser& parser, const QString& why) {
    std::fprintf(stderr, "zentor-fake-sim: %s\n\n%s", qPrintable(why),
                 qPrintable(parser.helpText()));
    return 2;
}

// Flips the simulator silent for `quiet` seconds out of every `every`.
void scheduleSilence(QObject* owner, double every, double quiet,
                     std::function<void(bool)> setSilent) {
    auto* timer = new QTimer(owner);
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    QObject::connect(timer, &QTimer::timeout, owner, [=] {
        const double seconds = double(clock->elapsed()) / 1000.0;
        setSilent(std::fmod(seconds, every) >= every - quiet);
    });
    timer->start(50);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription("A fake flight simulator sending a smoothly varying engine.");
    parser.addHelpOption();
    parser.addPositionalArgument("simulator", "xplane or flightgear");
    parser.addPositionalArgument("port", "flightgear: the monitor's --flightgear PORT");
    const QCommandLineOption portOption("port", "xplane: the port to answer on (49000).", "port",
                                        "49000");
    const QCommandLineOption addressOption(
        "address", "the loopback or local address to use (127.0.0.1).", "address", "127.0.0.1");
    const QCommandLineOption everyOption("silent-every", "fall silent every S seconds.", "S");
    const QCommandLineOption forOption("silent-for", "for T seconds (default 4).", "T", "4");
    parser.addOptions({portOption, addressOption, everyOption, forOption});
    parser.process(app);

    const QStringList args = parser.positionalArguments();
    QString error;
    const auto address = parseListenAddress(parser.value(addressOption), &error);
    if (!address)
        return usage(parser, error);
    const double every = parser.value(everyOption).toDouble();
    const double quiet = parser.value(forOption).toDouble();
    if (parser.isSet(everyOption) && !(every > quiet && quiet > 0))
        return usage(parser, "--silent-every must be longer than --silent-for, both above 0");

    std::unique_ptr<FakeXPlane> xplane;
    std::unique_ptr<FakeFlightGear> flightgear;
    if (args.size() == 1 && args[0] == "xplane") {
        const auto port = parsePort(parser.value(portOption), &error);
        if (!port)
            return usage(parser, error);
        xplane = std::make_unique<FakeXPlane>(*address, *port);
        if (!xplane->isOpen())
            return usage(parser,
                         QStringLiteral("cannot bind %1:%2").arg(address->toString()).arg(*port));
        xplane->start();
        std::printf("fake X-Plane answering RREF on %s; start: zentor-demo --xplane %s\n",
                    qPrintable(xplane->endpoint().text()), qPrintable(xplane->endpoint().text()));
        if (parser.isSet(everyOption))
            scheduleSilence(&app, every, quiet, [&](bool s) { xplane->setSilent(s); });
    } else if (args.size() == 2 && args[0] == "flightgear") {
        const auto port = parsePort(args[1], &error);
        if (!port)
            return usage(parser, error);
        flightgear = std::make_unique<FakeFlightGear>(Endpoint{*address, *port});
        flightgear->start();
        std::printf("fake FlightGear sending ten lines a second to %s; start: zentor-demo "
                    "--flightgear %u\n",
                    qPrintable((Endpoint{*address, *port}).text()), unsigned(*port));
        if (parser.isSet(everyOption))
            scheduleSilence(&app, every, quiet, [&](bool s) { flightgear->setSilent(s); });
    } else {
        return usage(parser, "name the simulator: xplane, or flightgear PORT");
    }
    std::fflush(stdout);
    return app.exec();
}
