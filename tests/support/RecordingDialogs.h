#pragma once
// A field-dialog opener that opens nothing and records every request, for
// converter tests; installed for the object's lifetime.
#include <cstdint>
#include <string>
#include <vector>

#include "sheet/FieldDialogOpener.h"
#include "sheet/cmcCellCapsule.h"

namespace kwtest {

class RecordingDialogs final : public FieldDialogOpener {
 public:
  struct Bits {
    std::uint32_t flags;
    int first, last, headerKind, number1, number2;
  };
  struct Gps {
    std::string text;
    int kind;
  };
  struct List {
    std::string key;
    int listId;
    int value;
  };

  RecordingDialogs() : scope_(this) {}

  void OpenBits(const cmcCellCapsule& owner, std::uint32_t flags, int firstItem, int lastItem,
                int headerKind, int number1, int number2) override {
    bits.push_back({flags, firstItem, lastItem, headerKind, number1, number2});
  }
  void OpenGpsField(const cmcCellCapsule& owner, std::string_view text, int fieldKind) override {
    gps.push_back({std::string(text), fieldKind});
  }
  bool OpenChoiceList(const cmcCellCapsule& owner, std::string_view key, int listId,
                      int value) override {
    lists.push_back({std::string(key), listId, value});
    return true;
  }
  std::size_t Count() const { return bits.size() + gps.size() + lists.size(); }

  std::vector<Bits> bits;
  std::vector<Gps> gps;
  std::vector<List> lists;

 private:
  ScopedFieldDialogOpener scope_;
};

}  // namespace kwtest
