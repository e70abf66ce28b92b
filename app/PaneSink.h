#pragma once

#include "PaneRun.h"
#include "html/OutputSink.h"

#include <cstdint>
#include <string>
#include <string_view>

/// The pane's text as a run writes it, in one walk: kept while its size, every
/// line end counted as CR LF as a copy or a saved file holds it, is within the
/// limit, and only counted beyond it.
class PaneSink final : public tinsora::OutputSink {
public:
    /// held, when known, is the bytes the text will take as the pane holds it (LF line
    /// ends), its size already held to the limit: the text is then written straight into
    /// a string of that size, and not counted.
    PaneSink(PaneRun::Control& control, std::uint64_t limit, std::uint64_t held = 0);
    void Write(std::string_view bytes) override;
    void Progress(std::uint64_t done, std::uint64_t total) override;
    /// Bytes written, line ends counted as CR LF.
    std::uint64_t size() const { return crLfSize; }
    /// Whether the text passed the limit (and so was not kept).
    bool tooLarge() const { return crLfSize > limit; }
    /// Hands the text over; empty when it was too large.
    std::string take() { return std::move(text); }

private:
    void grow(std::size_t more);

    PaneRun::Control& control;
    std::uint64_t limit;
    bool counted; // the size is not known beforehand
    std::uint64_t crLfSize = 0;
    double done = 0; // the part of the run done, as last reported
    std::string text;
};
