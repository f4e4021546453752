#pragma once

#include "live/LiveLink.h"
#include "live/XPlaneMapFile.h"

#include <QString>

#include <memory>
#include <optional>

// What the command line hands the links, checked: --xplane HOST[:PORT],
// --flightgear PORT, --listen ADDRESS, --xplane-map FILE. Each returns
// nothing and sets *error to a one-line reason when the text is not usable.

// "HOST", "HOST:PORT", "[IPv6]:PORT". A host name is looked up once, here.
std::optional<Endpoint> parseSimulatorAddress(const QString& text, quint16 defaultPort,
                                              QString* error);
std::optional<quint16> parsePort(const QString& text, QString* error);
// A literal address to listen on ("127.0.0.1", "0.0.0.0", "::1").
std::optional<QHostAddress> parseListenAddress(const QString& text, QString* error);
// Reads at most maxMapFileSize bytes; the error names the file and the line.
MapFileResult loadXPlaneMapFile(const QString& path);

class LiveLink;

// The four options as given on the command line (empty when not given).
struct LiveOptionTexts {
    QString xplane;     // --xplane HOST[:PORT]
    QString xplaneMap;  // --xplane-map FILE
    QString flightgear; // --flightgear PORT
    QString listen;     // --listen ADDRESS
};

// The link those options ask for: null without --xplane or --flightgear
// (the model runs as always), or with *error set when they do not fit
// together or the socket cannot be opened.
std::unique_ptr<LiveLink> openLiveLink(const LiveOptionTexts& options, QString* error,
                                       LiveClock clock = steadyLiveClock());
