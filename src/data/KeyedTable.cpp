#include "KeyedTable.h"

namespace vorrendal {

std::string KeyedTable::Fold(std::string_view key) {
  std::string folded(key);
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return folded;
}

bool KeyedTable::Add(std::string_view key, std::string item) {
  auto [it, inserted] = index_.try_emplace(Fold(key), entries_.size());
  if (!inserted) return false;
  entries_.emplace_back(std::string(key), std::move(item));
  return true;
}

const std::string* KeyedTable::Find(std::string_view key) const {
  const auto it = index_.find(Fold(key));
  return it == index_.end() ? nullptr : &entries_[it->second].second;
}

}  // namespace vorrendal
