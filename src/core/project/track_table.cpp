#include "project/track_table.h"

#include <algorithm>

#include "project/track_layout.h"
#include "project/track_values.h"
#include "project/zdt_document.h"
#include "project/value_format.h"

namespace spurwerk {

namespace {

struct Row {
    std::string caption;
    bool alignLeft = false;
    std::vector<std::string> cells;  // one per track
};

std::string Padded(const std::string& text, std::size_t width, bool left) {
    if (text.size() >= width) return text;
    std::string fill(width - text.size(), ' ');
    return left ? text + fill : fill + text;
}

std::vector<Row> TableRows(const Bytes& buffer, const TrackTableOptions& options) {
    std::vector<Row> rows;
    for (const std::string& group : options.groups) {
        const TrackParameter* parameter = FindTrackParameter(group);
        if (!parameter || parameter->control->format == ValueFormat::None) continue;
        const StripElement& element = *parameter->control;
        Row row;
        row.caption = parameter->name;
        if (*UnitText(element.format)) row.caption += std::string(" [") + UnitText(element.format) + "]";
        row.alignLeft = element.format == ValueFormat::WavName;
        for (int t = 0; t < options.trackCount; ++t)
            row.cells.push_back(row.alignLeft ? TrimControlChars(ReadWavName(buffer, TagOffset(element, t)))
                                              : ShownValueText(element, ReadTrackRaw(buffer, element, t)));
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace

std::vector<std::string> BuildTrackTable(const Bytes& buffer, const TrackTableOptions& options) {
    std::vector<Row> rows = TableRows(buffer, options);
    const int tracks = std::max(0, options.trackCount);
    std::size_t captionWidth = options.trackCaption.size();
    for (const Row& row : rows) captionWidth = std::max(captionWidth, row.caption.size());
    std::vector<std::size_t> widths(static_cast<std::size_t>(tracks));
    for (int t = 0; t < tracks; ++t) {
        widths[t] = std::to_string(t + 1).size();
        for (const Row& row : rows) widths[t] = std::max(widths[t], row.cells[t].size());
    }
    auto lineWidth = [&](int first, int count) {
        std::size_t width = captionWidth;
        for (int t = first; t < first + count && t < tracks; ++t) width += 2 + widths[t];
        return width;
    };
    // The widest block of tracks that fits: all, a bank of 8, then halves.
    int perBlock = std::max(tracks, 1);
    if (options.maxWidth > 0) {
        auto fits = [&](int count) {
            for (int first = 0; first < tracks; first += count)
                if (lineWidth(first, count) > options.maxWidth) return false;
            return true;
        };
        if (!fits(perBlock)) perBlock = std::min(perBlock, 8);
        while (perBlock > 1 && !fits(perBlock)) perBlock /= 2;
    }
    std::vector<std::string> lines;
    for (int first = 0; first < tracks; first += perBlock) {
        if (first > 0) lines.emplace_back();
        const int last = std::min(tracks, first + perBlock);
        std::string header = Padded(options.trackCaption, captionWidth, true);
        for (int t = first; t < last; ++t) header += "  " + Padded(std::to_string(t + 1), widths[t], false);
        lines.push_back(header);
        for (const Row& row : rows) {
            std::string line = Padded(row.caption, captionWidth, true);
            for (int t = first; t < last; ++t) line += "  " + Padded(row.cells[t], widths[t], row.alignLeft);
            while (!line.empty() && line.back() == ' ') line.pop_back();
            lines.push_back(line);
        }
    }
    return lines;
}

}  // namespace spurwerk
