#include "core/cmcScrBlock.h"

#include "core/SjisBytes.h"
#include "core/TextFields.h"

namespace {

// Position of the first blank that is not the second byte of a character.
std::size_t FirstBlank(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); i += core::SjisCharLength(text, i))
    if (text[i] == ' ') return i;
  return std::string_view::npos;
}

}  // namespace

cmcScrBlock::cmcScrBlock(std::string_view line) {
  // Leading blanks would otherwise leave the word empty and move it into the
  // fields.
  line = core::TrimBlanksView(line);
  const std::size_t blank = FirstBlank(line);
  word_ = std::string(core::TrimBlanksView(line.substr(0, blank)));
  const std::string_view rest =
      blank == std::string_view::npos ? line : core::TrimBlanksView(line.substr(blank));
  if (rest.empty()) return;
  for (int i = 0;; ++i) {
    std::optional<std::string> field = core::GetTextField(rest, ',', i);
    if (!field) break;
    core::TrimBlanks(*field);
    fields_.push_back(std::move(*field));
  }
}

const std::string& cmcScrBlock::Field(int i) const {
  static const std::string kEmpty;
  if (i < 0 || i >= Count()) return kEmpty;
  return fields_[static_cast<std::size_t>(i)];
}

void cmcScrBlock::SetCount(int n) { fields_.resize(n < 0 ? 0 : static_cast<std::size_t>(n)); }
