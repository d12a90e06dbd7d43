#pragma once
// An ordered table of text items under unique text keys. Keys compare without
// regard to letter case (ASCII letters; other bytes compare exactly). Adding
// an existing key fails and leaves the table as it was; a lookup of a missing
// key is a distinct "not found" answer. Nothing is ever removed.

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace vorrendal {

class KeyedTable {
 public:
  // Adds item under key. Returns false, changing nothing, when the key (in any
  // letter case) is already present.
  bool Add(std::string_view key, std::string item);

  // The item stored under key, or nullptr when there is none.
  const std::string* Find(std::string_view key) const;
  bool Contains(std::string_view key) const { return Find(key) != nullptr; }

  std::size_t Count() const { return entries_.size(); }
  bool Empty() const { return entries_.empty(); }

  // Entries in the order they were added: {key as added, item}.
  const std::vector<std::pair<std::string, std::string>>& Entries() const { return entries_; }

 private:
  // Hash and equality that ignore ASCII letter case, and take a view, so a
  // lookup builds no folded copy of its key.
  struct FoldedHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view key) const noexcept;
  };
  struct FoldedEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const noexcept;
  };

  std::vector<std::pair<std::string, std::string>> entries_;
  std::unordered_map<std::string, std::size_t, FoldedHash, FoldedEqual> index_;  // key -> slot
};

}  // namespace vorrendal
