#include "core/cmcGTex.h"

#include <cstring>

#include "platform/Cp932.h"
#include "platform/Fatal.h"
#include "resources/text/TextTables.h"

namespace {

constexpr std::string_view kEndKey = "End_Of_Ovl";

bool IsKeyLine(std::string_view line) { return line.size() >= 2 && line[0] == '#'; }

}  // namespace

int cmcGTexReader::SetSource(const char* const* lines, std::size_t count) {
  if (sourceKind_ != 0) return 0;
  lines_ = lines;
  count_ = lines ? count : 0;
  sourceKind_ = 1;
  return 1;
}

int cmcGTexReader::SetSource(const kwres::LineArray& table) {
  return SetSource(table.lines, table.count);
}

int cmcGTexReader::SetSource(std::vector<std::string> lines) {
  if (sourceKind_ != 0) return 0;
  owned_ = std::move(lines);
  ownedPtrs_.clear();
  ownedPtrs_.reserve(owned_.size());
  for (const std::string& l : owned_) ownedPtrs_.push_back(l.c_str());
  return SetSource(ownedPtrs_.data(), ownedPtrs_.size());
}

void cmcGTexReader::ResetReader() {
  sourceKind_ = 0;
  open_ = false;
  lines_ = nullptr;
  count_ = 0;
  owned_.clear();
  ownedPtrs_.clear();
  pos_ = 0;
  line_.clear();
  scanPos_ = 0;
  keyCount_ = 0;
  nodes_.clear();
  head_ = tail_ = nullptr;
  moreKeys_ = true;
  linesRead_ = 0;
}

std::string_view cmcGTexReader::HeadKey() const {
  return head_ ? std::string_view(head_->key) : std::string_view();
}

bool cmcGTexReader::Open() {
  if (open_) return true;
  if (sourceKind_ != 1 || lines_ == nullptr) return false;
  open_ = true;
  pos_ = 0;
  return true;
}

bool cmcGTexReader::ReadLine() {
  if (pos_ >= count_ || lines_[pos_] == nullptr) return false;
  const char* text = lines_[pos_];
  line_.assign(text, strnlen(text, kMaxLine));
  ++pos_;
  ++linesRead_;
  return true;
}

cmcGTexReader::Node* cmcGTexReader::FindKey(std::string_view key) {
  Node* prev = nullptr;
  std::size_t passed = 0;
  for (Node* n = head_; n; prev = n, n = n->next, ++passed) {
    if (n->key != key) continue;
    if (passed > 10) {
      prev->next = n->next;
      if (tail_ == n) tail_ = prev;
      n->next = head_;
      head_ = n;
    }
    return n;
  }
  bool appended = false;
  while (moreKeys_) {
    pos_ = scanPos_;
    if (!ReadLine()) {
      moreKeys_ = false;
      break;
    }
    scanPos_ = pos_;
    if (IsKeyLine(line_)) {
      Node& node = nodes_.emplace_back();
      node.key = line_.substr(1);
      node.valuePos = scanPos_;
      node.cachedPos = scanPos_;
      if (tail_)
        tail_->next = &node;
      else
        head_ = &node;
      tail_ = &node;
      ++keyCount_;
      appended = true;
      if (node.key == kEndKey) moreKeys_ = false;
    }
    if (appended && tail_->key == key) return tail_;
  }
  return nullptr;
}

std::string cmcGTexReader::GetText(std::string_view key, int n) {
  if (!Open() || n < 0) Fail(key);
  Node* node = FindKey(key);
  if (!node) Fail(key);
  int at = 0;
  if (node->cachedValue <= n) {
    pos_ = node->cachedPos;
    at = node->cachedValue;
  } else {
    pos_ = node->valuePos;
  }
  for (; at < n; ++at)
    if (!ReadLine()) Fail(key);
  if (!ReadLine()) Fail(key);
  node->cachedValue = n + 1;
  node->cachedPos = pos_;
  return line_;
}

bool cmcGTexReader::HasKey(std::string_view key) { return Open() && FindKey(key) != nullptr; }

void cmcGTexReader::Fail(std::string_view key) const {
  std::string text = "GTEX Error !\nThe index '";
  text.append(key);
  text += "' was not found.";
  platform::Fatal(platform::Cp932ToUnicode(text));
}

std::string GetGTexLines(cmcGTex& gtex, std::string_view key) {
  std::string out;
  for (int n = 0;; ++n) {
    std::string value = gtex.GetText(key, n);
    if (!value.empty() && value[0] == '#') break;
    if (n > 0) out += '\n';
    out += value;
  }
  return out;
}
