#include "project/zdt_document.h"

#include <algorithm>
#include <limits>

namespace spurwerk {

namespace {
bool InRange(const Bytes& buffer, std::size_t offset, std::size_t width) {
    return offset <= buffer.size() && width <= buffer.size() - offset;
}
}  // namespace

std::uint8_t ReadZDTByte(const Bytes& buffer, std::size_t offset) {
    return InRange(buffer, offset, 1) ? buffer[offset] : 0;
}

std::uint16_t ReadZDTWord(const Bytes& buffer, std::size_t offset) {
    if (!InRange(buffer, offset, 2)) return 0;
    return static_cast<std::uint16_t>(buffer[offset] | (buffer[offset + 1] << 8));
}

std::uint32_t ReadZDTLong(const Bytes& buffer, std::size_t offset) {
    if (!InRange(buffer, offset, 4)) return 0;
    return static_cast<std::uint32_t>(buffer[offset]) |
           (static_cast<std::uint32_t>(buffer[offset + 1]) << 8) |
           (static_cast<std::uint32_t>(buffer[offset + 2]) << 16) |
           (static_cast<std::uint32_t>(buffer[offset + 3]) << 24);
}

std::string ReadZDTString(const Bytes& buffer, std::size_t offset, std::size_t length) {
    if (!InRange(buffer, offset, length)) return std::string(length, ' ');
    return std::string(buffer.begin() + static_cast<std::ptrdiff_t>(offset),
                       buffer.begin() + static_cast<std::ptrdiff_t>(offset + length));
}

void ZDTDocument::Notify(const DocumentChange& change) {
    // A copy: a listener may unsubscribe while it is told.
    std::vector<std::pair<int, Listener>> items = listeners_.items;
    for (auto& item : items) item.second(change);
}

int ZDTDocument::Subscribe(Listener listener) {
    int token = listeners_.next++;
    listeners_.items.emplace_back(token, std::move(listener));
    return token;
}

void ZDTDocument::Unsubscribe(int token) {
    auto& items = listeners_.items;
    items.erase(std::remove_if(items.begin(), items.end(), [&](const auto& item) { return item.first == token; }),
                items.end());
}

void ZDTDocument::BeginStep(StepName name) {
    if (depth_ == 0) {
        touched_ = false;
        sizeBefore_ = data_.size();
        spanBefore_.clear();
        stepName_ = {};
        nameDepth_ = std::numeric_limits<int>::max();
    }
    ++depth_;
    if (!name.what.empty()) NameStep(std::move(name));
}

void ZDTDocument::NameStep(StepName name) {
    if (depth_ == 0 || depth_ > nameDepth_) return;
    stepName_ = std::move(name);
    nameDepth_ = depth_;
}

void ZDTDocument::Touch(std::size_t begin, std::size_t end) {
    // Bytes outside the span are untouched in this step, so the buffer still
    // holds them as they were before it; those beyond the old size did not exist.
    std::size_t newBegin = touched_ ? std::min(begin, spanBegin_) : begin;
    std::size_t newEnd = touched_ ? std::max(end, spanEnd_) : end;
    if (touched_ && newBegin == spanBegin_ && newEnd == spanEnd_) return;
    Bytes before;
    for (std::size_t i = newBegin; i < std::min(newEnd, sizeBefore_); ++i)
        before.push_back(touched_ && i >= spanBegin_ && i < spanEnd_ ? spanBefore_[i - spanBegin_] : data_[i]);
    spanBefore_ = std::move(before);
    spanBegin_ = newBegin;
    spanEnd_ = newEnd;
    touched_ = true;
}

void ZDTDocument::EndStep() {
    if (depth_ == 0 || --depth_ > 0 || !touched_) return;
    touched_ = false;
    UndoStep step;
    step.offset = spanBegin_;
    step.sizeBefore = sizeBefore_;
    step.sizeAfter = data_.size();
    step.before = std::move(spanBefore_);
    for (std::size_t i = spanBegin_; i < std::min(spanEnd_, data_.size()); ++i) step.after.push_back(data_[i]);
    if (step.before == step.after && step.sizeBefore == step.sizeAfter) return;
    step.name = std::move(stepName_);
    bool wasChanged = DataChanged();
    history_.Record(std::move(step));
    HistoryMoved(wasChanged);
}

void ZDTDocument::WriteBytes(std::size_t offset, const std::uint8_t* bytes, std::size_t count) {
    if (count == 0) return;
    DocumentStep step(*this);
    Touch(offset, offset + count);
    if (offset + count > data_.size()) data_.resize(offset + count, 0);
    for (std::size_t i = 0; i < count; ++i) data_[offset + i] = bytes[i];
    Notify({DocumentEvent::Written, offset, count, false});
}

void ZDTDocument::WriteZDTByte(std::size_t offset, std::uint8_t value) { WriteBytes(offset, &value, 1); }

void ZDTDocument::WriteZDTWord(std::size_t offset, std::uint16_t value) {
    const std::uint8_t bytes[2] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8)};
    WriteBytes(offset, bytes, 2);
}

void ZDTDocument::WriteZDTLong(std::size_t offset, std::uint32_t value) {
    const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                                   static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
    WriteBytes(offset, bytes, 4);
}

void ZDTDocument::WriteZDTString(std::size_t offset, const std::string& text) {
    WriteBytes(offset, reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

void ZDTDocument::ReplaceZDTData(Bytes data) {
    {
        DocumentStep step(*this);
        Touch(0, std::max(data.size(), data_.size()));
        data_ = std::move(data);
    }
    Notify({DocumentEvent::Replaced, 0, data_.size(), false});
}

void ZDTDocument::ReplaceCompareData(Bytes data) {
    compare_ = std::move(data);
    Notify({DocumentEvent::CompareReplaced, 0, compare_.size(), false});
}

void ZDTDocument::HistoryMoved(bool wasChanged) {
    Notify({DocumentEvent::History, 0, 0, false});
    if (DataChanged() != wasChanged) Notify({DocumentEvent::ChangedMark, 0, 0, false});
}

void ZDTDocument::MarkChanged() {
    bool wasChanged = DataChanged();
    markedChanged_ = true;
    if (!wasChanged) Notify({DocumentEvent::ChangedMark, 0, 0, false});
}

void ZDTDocument::MarkSaved() {
    bool wasChanged = DataChanged();
    markedChanged_ = false;
    history_.MarkClean();
    HistoryMoved(wasChanged);
}

void ZDTDocument::MarkLoaded() {
    bool wasChanged = DataChanged();
    markedChanged_ = false;
    history_.Clear();
    HistoryMoved(wasChanged);
}

std::string ZDTDocument::UndoText() const {
    const UndoStep* step = history_.NextUndo();
    return step ? step->name.Text() : std::string();
}

std::string ZDTDocument::RedoText() const {
    const UndoStep* step = history_.NextRedo();
    return step ? step->name.Text() : std::string();
}

void ZDTDocument::Apply(const Bytes& span, std::size_t offset, std::size_t size) {
    data_.resize(size, 0);
    std::copy(span.begin(), span.end(), data_.begin() + static_cast<std::ptrdiff_t>(offset));
}

bool ZDTDocument::MoveInHistory(bool forward) {
    if (depth_ > 0) return false;
    bool wasChanged = DataChanged();
    const UndoStep* step = forward ? history_.Redo() : history_.Undo();
    if (!step) return false;
    if (forward) Apply(step->after, step->offset, step->sizeAfter);
    else Apply(step->before, step->offset, step->sizeBefore);
    markedChanged_ = false;
    Notify({DocumentEvent::Replaced, 0, data_.size(), true});
    HistoryMoved(wasChanged);
    return true;
}

bool ZDTDocument::Undo() { return MoveInHistory(false); }

bool ZDTDocument::Redo() { return MoveInHistory(true); }

std::string TrimControlChars(const std::string& text) {
    std::size_t begin = 0, end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= 32) ++begin;
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 32) --end;
    return text.substr(begin, end - begin);
}

}  // namespace spurwerk
