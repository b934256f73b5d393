#include "key_history.h"

#include <new>

namespace velokrom {

KeyHistory::~KeyHistory() {
    while (first_) {
        HistorySnapshot* next = first_->next;
        delete first_;
        first_ = next;
    }
}

void KeyHistory::discard(HistorySnapshot* entry) {
    if (mark_ == entry) mark_ = nullptr;  // Return to Mark must never reach a discarded entry
    delete entry;
}

void KeyHistory::push() {
    HistorySnapshot* entry = new (std::nothrow) HistorySnapshot;
    if (!entry) return;  // the step is simply not recorded
    saveKeyModel(liveKeyModel(), entry->record);
    entry->next = nullptr;
    if (!first_) {
        entry->previous = nullptr;
        first_ = entry;
    } else {
        for (HistorySnapshot* later = current_->next; later;) {
            HistorySnapshot* next = later->next;
            discard(later);
            --count_;
            later = next;
        }
        entry->previous = current_;
        current_->next = entry;
    }
    current_ = entry;
    if (count_ >= kHistoryLimit) {
        // The first entry stays, so Reset always reaches the key the run began with.
        HistorySnapshot* second = first_->next;
        first_->next = second->next;
        second->next->previous = first_;
        discard(second);
    } else {
        ++count_;
    }
}

const HistorySnapshot* KeyHistory::stepBack() {
    if (!current_ || !current_->previous) return nullptr;
    return current_ = current_->previous;
}

const HistorySnapshot* KeyHistory::stepForward() {
    if (!current_ || !current_->next) return nullptr;
    return current_ = current_->next;
}

const HistorySnapshot* KeyHistory::stepToFirst() {
    if (!current_ || !current_->previous || !first_) return nullptr;
    return current_ = first_;
}

const HistorySnapshot* KeyHistory::stepToMark() {
    if (!mark_) return nullptr;
    return current_ = mark_;
}

bool KeyHistory::mark() {
    if (!current_) return false;
    mark_ = current_;
    return true;
}

} // namespace velokrom
