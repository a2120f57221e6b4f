#pragma once
// The cell handler's dispatch table: one slot per cell id 0..578, each a
// case run over the per-call context (indActiveCell). The table is filled at
// start-up by registration per family of cells; an empty slot runs the
// handler's default case ("%d *Yet*").
//
// A slot is filled once: registering an id twice, or an id outside 0..578,
// or an empty case, is an internal failure (fixed message, exit code 3), so
// two families can never both claim an id. The table is a value: the program
// builds one, tests build their own.
#include <array>
#include <cstdint>
#include <functional>

class indActiveCell;

using CellCase = std::function<void(indActiveCell& context)>;

class CellCaseTable {
 public:
  static constexpr std::int32_t kSlots = 579;  // ids 0..578

  void Register(std::int32_t id, CellCase cellCase);
  // The case of the id; null for an empty slot or an id outside 0..578.
  const CellCase* Find(std::int32_t id) const;
  bool IsFilled(std::int32_t id) const { return Find(id) != nullptr; }

 private:
  std::array<CellCase, kSlots> slots_;
};
