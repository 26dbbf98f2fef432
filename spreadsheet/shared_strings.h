#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace zorvel {

// The shared string table (xl/sharedStrings.xml). Items read from the file keep their place and their
// rich-text runs; texts written by the engine are added once each.
class SharedStrings {
public:
    void load(const std::string& xml);
    bool empty() const { return items_.empty(); }
    // The plain text of item `index` (runs joined); empty for an index beyond the table.
    const std::string& text(int32_t index) const;
    // The index of a plain text, added when new.
    int32_t indexOf(const std::string& text);
    // `references` is the number of cells that point into the table.
    std::string xml(size_t references) const;

private:
    std::vector<std::string> texts_;
    std::vector<std::string> items_; // each item's <si> element as written
    std::unordered_map<std::string, int32_t> plainIndex_;
};

} // namespace zorvel
