#include "live/LiveSource.h"

#include "engine/Engine.h"
#include "engine/SampleValues.h"

LiveSource::LiveSource(std::unique_ptr<LiveLink> link)
    : link_(std::move(link)), source_(link_->sourceText().toStdString()),
      awaited_(link_->awaitedText().toStdString()) {}

void LiveSource::step(EngineState& record) {
    link_->poll();
    // A stale link's sample holds no values: every gauge shows no data, and
    // the knobs stay where the simulator last put them.
    applySample(link_->sample(), record);
}

std::string LiveSource::status() const {
    return link_->stale() ? awaited_ : source_;
}

std::unique_ptr<LiveSource> openLiveSource(const LiveOptionTexts& options, std::string* error,
                                           LiveClock clock) {
    QString why;
    std::unique_ptr<LiveLink> link = openLiveLink(options, &why, std::move(clock));
    if (error)
        *error = why.toStdString();
    if (!link)
        return nullptr;
    return std::make_unique<LiveSource>(std::move(link));
}
