#include "core/cmcRecent.h"

#include <algorithm>

cmcRecent::cmcRecent(std::int32_t capacity) : capacity_(capacity < 0 ? 0 : capacity) {}

void cmcRecent::Clear() { names_.clear(); }

std::int32_t cmcRecent::Count() {
  Trim();
  return static_cast<std::int32_t>(names_.size());
}

void cmcRecent::Remove(std::string_view name) {
  names_.erase(std::remove(names_.begin(), names_.end(), name), names_.end());
}

// An empty name would come back as an empty menu entry that opens "".
void cmcRecent::AddTop(std::string_view name) {
  if (name.empty()) return;
  Remove(name);
  names_.insert(names_.begin(), std::string(name));
  Trim();
}

void cmcRecent::Append(std::string_view name) {
  if (name.empty()) return;
  Remove(name);
  names_.emplace_back(name);
  Trim();
}

void cmcRecent::Trim() {
  if (names_.size() > static_cast<std::size_t>(capacity_))
    names_.resize(static_cast<std::size_t>(capacity_));
}

std::string cmcRecent::GetName(std::int32_t i) const {
  if (i < 0 || static_cast<std::size_t>(i) >= names_.size() || i >= capacity_) return {};
  return names_[static_cast<std::size_t>(i)];
}

std::string cmcRecent::GetDisplay(std::int32_t i, std::string_view folder) const {
  const std::string name = GetName(i);
  if (name.empty()) return name;
  if (FolderOf(name) != WithoutTrailingDelimiter(folder)) return name;
  return name.substr(name.rfind('/') == std::string::npos ? 0 : name.rfind('/') + 1);
}

std::string cmcRecent::WithoutTrailingDelimiter(std::string_view folder) {
  std::size_t end = folder.size();
  while (end > 1 && folder[end - 1] == '/') --end;
  return std::string(folder.substr(0, end));
}

std::string cmcRecent::FolderOf(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string_view::npos) return {};
  return WithoutTrailingDelimiter(path.substr(0, slash == 0 ? 1 : slash));
}
