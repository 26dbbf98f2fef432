#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zorvel {

// The shared string table (xl/sharedStrings.xml). Items read from the file keep their place and their
// rich-text runs; every text a cell is given is added once, when the cell is written, so that a sheet
// of many cells keeps only an index per text cell.
class SharedStrings {
public:
    void load(const std::string& xml);
    bool empty() const { return texts_.empty(); }
    // The plain text of item `index` (runs joined); empty for an index beyond the table.
    const std::string& text(int32_t index) const;
    // The index of a plain text, added when new.
    int32_t indexOf(std::string_view text);
    // The part's XML piece by piece: each call appends the next piece to `out` and returns false after
    // the last one. `references` is the number of cells that point into the table.
    std::function<bool(std::string& out)> writer(size_t references) const;

private:
    int32_t indexOfPlain(std::string_view text) const;
    void addPlain(std::string_view text, int32_t index);
    void grow();

    std::deque<std::string> texts_;
    // <si> elements as read, for the items loaded from the file (added items are written from texts_).
    std::vector<std::string> loadedItems_;
    // The plain items by text: an open-addressed table of (hash, index + 1), 0 for a free slot. Every
    // text cell written looks its text up here, so it is kept flat rather than as linked nodes.
    std::vector<uint64_t> slots_;
    size_t plainCount_ = 0;
};

} // namespace zorvel
