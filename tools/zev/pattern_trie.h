// The patterns of one conversion direction in a byte trie: which patterns
// start a text at a given place, and which patterns are longer and start with
// it. Equal patterns share one pattern number.
#ifndef ZEV_TOOL_PATTERN_TRIE_H
#define ZEV_TOOL_PATTERN_TRIE_H

#include <stddef.h>
#include <stdint.h>

#include <functional>
#include <string>
#include <vector>

namespace zevtool {

class PatternTrie {
public:
    // `patterns[i]` is entry i's pattern; empty ones get no pattern number.
    explicit PatternTrie(const std::vector<std::string>& patterns);

    // Entry i's pattern number, or -1 for an empty pattern.
    int PatternOf(size_t entry) const { return patternOf_[entry]; }
    // The entries with pattern `pattern`, in table order.
    const std::vector<size_t>& EntriesOf(int pattern) const { return entries_[pattern]; }
    size_t LengthOf(int pattern) const { return lengths_[pattern]; }
    size_t PatternCount() const { return entries_.size(); }

    // Patterns that are the bytes of `text` from `from` on, or a beginning of
    // them; shortest first.
    std::vector<int> PrefixesOf(const std::string& text, size_t from) const;
    // Calls `visit` for the patterns longer than the bytes of `text` from
    // `from` on that begin with them, until it returns false.
    void VisitExtensions(const std::string& text, size_t from,
                         const std::function<bool(int)>& visit) const;

private:
    struct Node {
        int child = -1;  // first child; the children are chained by sibling
        int sibling = -1;
        int pattern = -1;
        uint8_t byte = 0;
    };
    int Child(int node, uint8_t byte) const;
    int AddChild(int node, uint8_t byte);

    std::vector<Node> nodes_;
    std::vector<int> patternOf_;
    std::vector<std::vector<size_t>> entries_;
    std::vector<size_t> lengths_;
};

}  // namespace zevtool

#endif
