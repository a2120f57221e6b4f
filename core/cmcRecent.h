#pragma once
// The most recently used data files (index 0 the most recent), as full
// UTF-8 paths.
//
// Names compare byte for byte: Linux file names are case-sensitive, so
// "a.icf" and "A.ICF" are two files. "/" is the only path delimiter ("\" and
// ":" are ordinary name characters).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class cmcRecent {
 public:
  explicit cmcRecent(std::int32_t capacity);

  void Clear();
  // Trims to the capacity, then returns the number of entries.
  std::int32_t Count();
  std::int32_t Capacity() const { return capacity_; }
  // Both move an existing equal entry; an empty name is ignored.
  void AddTop(std::string_view name);
  void Append(std::string_view name);
  void Remove(std::string_view name);
  // Entry i as shown in the menu: its bare file name when its folder is the
  // given folder (a trailing "/" on either side does not count), else the
  // full path; empty when i is out of range.
  std::string GetDisplay(std::int32_t i, std::string_view folder) const;
  // Entry i as stored (the full path); empty when i is out of range.
  std::string GetName(std::int32_t i) const;
  void Trim();

  // The folder part of a path: up to its last "/", without trailing "/"
  // except for the root itself ("/a.icf" -> "/", "a.icf" -> "").
  static std::string FolderOf(std::string_view path);
  // A folder without trailing "/" ("/d/" -> "/d", "/" stays "/").
  static std::string WithoutTrailingDelimiter(std::string_view folder);

 private:
  std::int32_t capacity_;
  std::vector<std::string> names_;
};
