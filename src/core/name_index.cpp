#include "core/name_index.h"

namespace compare {
namespace {

uint32_t Rotate(uint32_t value, int bits) {
  return value << bits | value >> (32 - bits);
}

// MurmurHash3's step: the word is scrambled before it joins, so words cannot cancel each other.
uint32_t Mix(uint32_t hash, uint32_t word) {
  hash ^= Rotate(word * 0xCC9E2D51u, 15) * 0x1B873593u;
  return Rotate(hash, 13) * 5 + 0xE6546B64u;
}

}  // namespace

uint32_t NameIndex::Hash(std::string_view name) {
  // Four bytes a step in 32-bit arithmetic, which the shipped 32-bit program does natively; a
  // name of 4 bytes or more ends with its last four (overlapping the step before), a shorter one
  // is read as its first, middle and last byte, which with its length tells it apart.
  const char* p = name.data();
  const size_t n = name.size();
  uint32_t hash = static_cast<uint32_t>(n);
  if (n >= 4) {
    for (size_t at = 0; at + 4 < n; at += 4) hash = Mix(hash, WordAt(p + at));
    hash = Mix(hash, WordAt(p + n - 4));
  } else if (n > 0) {
    const auto byte = [&](size_t at) { return static_cast<uint32_t>(static_cast<uint8_t>(p[at])); };
    hash = Mix(hash, byte(0) | byte(n / 2) << 8 | byte(n - 1) << 16);
  }
  // The slot is placed by the high bits: spread every input bit into them.
  hash ^= hash >> 16;
  hash *= 0x85EBCA6Bu;
  hash ^= hash >> 13;
  hash *= 0xC2B2AE35u;
  hash ^= hash >> 16;
  return hash;
}

NameIndex::NameIndex(const zolt::CellTable& table) : grid_(table) {
  const zolt::CellTable::Reader grid = grid_;
  const int rowCount = table.RowCount();
  const size_t rows = rowCount > 1 ? static_cast<size_t>(rowCount - 1) : 0;
  // Two thirds full at most: probes stay short, and the table is small, which matters where
  // fresh memory is dear (under Wine each new page costs a fault).
  slots_.resize(rows + rows / 2 + 1);
  for (int32_t row = 1; row < rowCount; ++row) {
    const uint32_t hash = Hash(grid.Cell(zolt::kColName, row));
    uint32_t at = FirstCandidate(hash);
    if (FirstRowFrom(at, hash, grid.Cell(zolt::kColName, row)) >= 0) {
      // A later row of a name already held is never the first: keep the earlier one.
      laterRows_.push_back(row);
      continue;
    }
    while (slots_[at].row != 0) at = Next(at);
    slots_[at].hash = hash;
    slots_[at].row = row;
  }
}

int NameIndex::FirstRow(std::string_view name) const {
  const uint32_t hash = Hash(name);
  return FirstRowFrom(FirstCandidate(hash), hash, name);
}

}  // namespace compare
