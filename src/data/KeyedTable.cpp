#include "KeyedTable.h"

#include <cstdint>

namespace vorrendal {

namespace {

constexpr unsigned char FoldByte(char c) {
  const auto b = static_cast<unsigned char>(c);
  return b >= 'A' && b <= 'Z' ? static_cast<unsigned char>(b - 'A' + 'a') : b;
}

}  // namespace

std::size_t KeyedTable::FoldedHash::operator()(std::string_view key) const noexcept {
  // FNV-1a over the folded bytes.
  std::uint64_t hash = 14695981039346656037ULL;
  for (const char c : key) {
    hash ^= FoldByte(c);
    hash *= 1099511628211ULL;
  }
  return static_cast<std::size_t>(hash);
}

bool KeyedTable::FoldedEqual::operator()(std::string_view a, std::string_view b) const noexcept {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldByte(a[i]) != FoldByte(b[i])) return false;
  }
  return true;
}

bool KeyedTable::Add(std::string_view key, std::string item) {
  auto [it, inserted] = index_.try_emplace(std::string(key), entries_.size());
  if (!inserted) return false;
  entries_.emplace_back(std::string(key), std::move(item));
  return true;
}

const std::string* KeyedTable::Find(std::string_view key) const {
  const auto it = index_.find(key);
  return it == index_.end() ? nullptr : &entries_[it->second].second;
}

}  // namespace vorrendal
