#pragma once
#include <cstdint>

#include "key_model.h"

namespace velokrom {

struct HistorySnapshot {
    KeyModelRecord record;
    HistorySnapshot* previous;
    HistorySnapshot* next;
};

constexpr int32_t kHistoryLimit = 100;

// The linear history of the key: records only, no images. Stepping never discards entries;
// a new push after stepping back discards the later ones. The first entry is never removed.
class KeyHistory {
public:
    KeyHistory() = default;
    KeyHistory(const KeyHistory&) = delete;
    KeyHistory& operator=(const KeyHistory&) = delete;
    ~KeyHistory();

    void push();  // records the live key after the current entry
    // Each returns the entry to restore, or null when it cannot move.
    const HistorySnapshot* stepBack();
    const HistorySnapshot* stepForward();
    const HistorySnapshot* stepToFirst();
    const HistorySnapshot* stepToMark();
    bool mark();

    const HistorySnapshot* first() const { return first_; }
    const HistorySnapshot* current() const { return current_; }
    const HistorySnapshot* marked() const { return mark_; }
    int32_t count() const { return count_; }

private:
    void discard(HistorySnapshot* entry);

    HistorySnapshot* first_ = nullptr;
    HistorySnapshot* current_ = nullptr;
    HistorySnapshot* mark_ = nullptr;
    int32_t count_ = 0;
};

} // namespace velokrom
