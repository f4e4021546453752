#pragma once

#include "logs/ByteSource.h"
#include "logs/EngineLog.h"
#include "logs/LogLayout.h"
#include "logs/RowDecoder.h"
#include "logs/RowIndex.h"

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>

// What the player and the indexing thread share about one open log. The
// layout and the first row never change; the index and the progress are
// written by the indexing thread under the mutex.
struct OpenLog {
    OpenLog(std::string fileName, std::unique_ptr<ByteSource> bytes, LogLayout logLayout,
            ScanPoint first)
        : name(std::move(fileName)), source(std::move(bytes)), layout(std::move(logLayout)),
          decoder(layout), firstRow(first) {}
    OpenLog(const OpenLog&) = delete;
    OpenLog& operator=(const OpenLog&) = delete;

    const std::string name;
    const std::unique_ptr<ByteSource> source;
    const LogLayout layout;
    const RowDecoder decoder;
    const ScanPoint firstRow;

    mutable std::mutex mutex;
    mutable std::condition_variable changed;
    RowIndex index;
    LogProgress progress;
    // Moves on whenever rows already read may have changed (the file grew or
    // shrank), so that the player reads its place again.
    std::atomic<std::uint64_t> generation{0};
    std::atomic<bool> stopping{false};
};
