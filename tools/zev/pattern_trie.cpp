#include "pattern_trie.h"

namespace zevtool {

PatternTrie::PatternTrie(const std::vector<std::string>& patterns)
    : nodes_(1), patternOf_(patterns.size(), -1) {
    for (size_t entry = 0; entry < patterns.size(); ++entry) {
        const std::string& pattern = patterns[entry];
        if (pattern.empty()) continue;
        int node = 0;
        for (char c : pattern) node = AddChild(node, static_cast<uint8_t>(c));
        if (nodes_[node].pattern < 0) {
            nodes_[node].pattern = static_cast<int>(entries_.size());
            entries_.emplace_back();
            lengths_.push_back(pattern.size());
        }
        patternOf_[entry] = nodes_[node].pattern;
        entries_[nodes_[node].pattern].push_back(entry);
    }
}

int PatternTrie::Child(int node, uint8_t byte) const {
    for (int child = nodes_[node].child; child >= 0; child = nodes_[child].sibling)
        if (nodes_[child].byte == byte) return child;
    return -1;
}

int PatternTrie::AddChild(int node, uint8_t byte) {
    const int found = Child(node, byte);
    if (found >= 0) return found;
    Node child;
    child.byte = byte;
    child.sibling = nodes_[node].child;
    nodes_.push_back(child);
    const int added = static_cast<int>(nodes_.size() - 1);
    nodes_[node].child = added;
    return added;
}

std::vector<int> PatternTrie::PrefixesOf(const std::string& text, size_t from) const {
    std::vector<int> found;
    int node = 0;
    for (size_t at = from; at < text.size(); ++at) {
        node = Child(node, static_cast<uint8_t>(text[at]));
        if (node < 0) break;
        if (nodes_[node].pattern >= 0) found.push_back(nodes_[node].pattern);
    }
    return found;
}

void PatternTrie::VisitExtensions(const std::string& text, size_t from,
                                  const std::function<bool(int)>& visit) const {
    int node = 0;
    for (size_t at = from; at < text.size() && node >= 0; ++at)
        node = Child(node, static_cast<uint8_t>(text[at]));
    if (node < 0) return;
    std::vector<int> pending;
    for (int child = nodes_[node].child; child >= 0; child = nodes_[child].sibling)
        pending.push_back(child);
    while (!pending.empty()) {
        const int next = pending.back();
        pending.pop_back();
        if (nodes_[next].pattern >= 0 && !visit(nodes_[next].pattern)) return;
        for (int child = nodes_[next].child; child >= 0; child = nodes_[child].sibling)
            pending.push_back(child);
    }
}

}  // namespace zevtool
