#pragma once
// The project document: the bytes of the open project file, a comparison copy
// and a scratch buffer, with little-endian accessors. It knows bytes, not files:
// names, stamps and loading live in the project session. Reads outside a buffer never
// fail (they give 0 or blanks). The buffers are private: every write, whole
// replacement and change of the changed mark goes through the document, which
// records it for undo and tells its listeners (the hex view repaints the written
// cells, windows refresh after a replacement, captions follow the mark).

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "io/file_io.h"
#include "project/undo_history.h"

namespace spurwerk {

// A document shorter than this is no project.
constexpr std::size_t MinProjectDataSize = 3332;

std::uint8_t ReadZDTByte(const Bytes& buffer, std::size_t offset);
std::uint16_t ReadZDTWord(const Bytes& buffer, std::size_t offset);
std::uint32_t ReadZDTLong(const Bytes& buffer, std::size_t offset);
// Exactly `length` bytes as they are (NULs included), or `length` blanks when
// the whole string does not lie inside the buffer.
std::string ReadZDTString(const Bytes& buffer, std::size_t offset, std::size_t length);

enum class DocumentEvent {
    Written,          // bytes offset .. offset+length-1 of ZDTData were written
    Replaced,         // ZDTData was replaced whole (a load, an undo or a redo)
    CompareReplaced,  // CompareData was replaced
    ChangedMark,      // DataChanged() turned
    History,          // what can be undone or redone changed
};

struct DocumentChange {
    DocumentEvent event;
    std::size_t offset = 0;
    std::size_t length = 0;
    bool fromHistory = false;  // Replaced by an undo or redo
};

class ZDTDocument {
public:
    using Listener = std::function<void(const DocumentChange&)>;

    const Bytes& ZDTData() const { return data_; }
    const Bytes& CompareData() const { return compare_; }
    const Bytes& ScanData() const { return scan_; }

    // A write beyond the end enlarges the buffer with zero bytes.
    void WriteZDTByte(std::size_t offset, std::uint8_t value);
    void WriteZDTWord(std::size_t offset, std::uint16_t value);
    void WriteZDTLong(std::size_t offset, std::uint32_t value);
    void WriteZDTString(std::size_t offset, const std::string& text);
    // New content as a whole; a change like any write.
    void ReplaceZDTData(Bytes data);
    void ReplaceCompareData(Bytes data);
    // The scratch buffer for reading other project files; nobody is told.
    void ReplaceScanData(Bytes data) { scan_ = std::move(data); }

    std::uint8_t ReadByte(std::size_t offset) const { return ReadZDTByte(data_, offset); }
    std::uint16_t ReadWord(std::size_t offset) const { return ReadZDTWord(data_, offset); }
    std::uint32_t ReadLong(std::size_t offset) const { return ReadZDTLong(data_, offset); }
    std::string ReadString(std::size_t offset, std::size_t length) const {
        return ReadZDTString(data_, offset, length);
    }

    bool IsProject() const { return data_.size() >= MinProjectDataSize; }

    // --- The changed mark: set by every change of the bytes and by MarkChanged,
    // cleared by a load, a save and an undo or redo back to the saved bytes.
    bool DataChanged() const { return markedChanged_ || !history_.AtClean(); }
    void MarkChanged();
    // The bytes are what the file now holds.
    void MarkSaved();
    // The bytes are a file as loaded: nothing to undo, nothing changed.
    void MarkLoaded();

    // --- Steps: the writes between the outermost BeginStep and its EndStep are
    // one step of the history (writes outside any step are a step each). The
    // name given at the outermost level wins over inner ones.
    void BeginStep(StepName name = {});
    // Names the open step unless an outer level named it already; at the
    // same level the last name wins.
    void NameStep(StepName name);
    void EndStep();
    // The next change starts a new step even for the same control (slider released).
    void SealStep() { history_.Seal(); }

    bool CanUndo() const { return history_.NextUndo() != nullptr; }
    bool CanRedo() const { return history_.NextRedo() != nullptr; }
    std::string UndoText() const;
    std::string RedoText() const;
    // Restore the bytes before or after a step; false when there is none or a
    // step is still open.
    bool Undo();
    bool Redo();
    const UndoHistory& History() const { return history_; }

    // --- Listeners: a token to unsubscribe with. A copy of a document has none.
    int Subscribe(Listener listener);
    void Unsubscribe(int token);

private:
    void WriteBytes(std::size_t offset, const std::uint8_t* bytes, std::size_t count);
    void Touch(std::size_t begin, std::size_t end);
    void Apply(const Bytes& span, std::size_t offset, std::size_t size);
    bool MoveInHistory(bool forward);
    void Notify(const DocumentChange& change);
    void HistoryMoved(bool wasChanged);

    Bytes data_;
    Bytes compare_;
    Bytes scan_;
    bool markedChanged_ = false;
    UndoHistory history_;

    // The open step: depth, its name and the span touched so far with its
    // bytes as they were when the step began.
    int depth_ = 0;
    StepName stepName_;
    int nameDepth_ = 0;
    bool touched_ = false;
    std::size_t spanBegin_ = 0, spanEnd_ = 0, sizeBefore_ = 0;
    Bytes spanBefore_;

    struct Listeners {
        std::vector<std::pair<int, Listener>> items;
        int next = 1;
        Listeners() = default;
        Listeners(const Listeners&) {}
        Listeners& operator=(const Listeners&) { return *this; }
    } listeners_;
};

// Writes of one user operation made one undo step.
class DocumentStep {
public:
    explicit DocumentStep(ZDTDocument& doc, StepName name = {}) : doc_(doc) { doc_.BeginStep(std::move(name)); }
    ~DocumentStep() { doc_.EndStep(); }
    DocumentStep(const DocumentStep&) = delete;
    DocumentStep& operator=(const DocumentStep&) = delete;

private:
    ZDTDocument& doc_;
};

// Removes all characters of codes 0 to 32 at both ends.
std::string TrimControlChars(const std::string& text);

}  // namespace spurwerk
