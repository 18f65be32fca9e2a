// The first row of each name in a pane grid's name column, found in constant time on average, so
// a comparison costs time in proportion to the sum of the two row counts, not their product.
// Names match by exact bytes (no case folding); the empty name is a name like any other.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "core/cell_table.h"
#include "core/pane.h"

namespace compare {

// Four bytes of a text as one word, wherever they lie.
inline uint32_t WordAt(const char* p) {
  uint32_t word;
  std::memcpy(&word, p, sizeof word);
  return word;
}

// Exact equality of two texts, inline and a word at a time: the comparison's texts are short, and
// a call to the C library's memcmp per text costs more than the comparing.
inline bool SameBytes(std::string_view a, std::string_view b) {
  const size_t n = a.size();
  if (b.size() != n) return false;
  const char* p = a.data();
  const char* q = b.data();
  if (n < 4) {
    // The first, middle and last bytes are all the bytes.
    return n == 0 || (p[0] == q[0] && p[n / 2] == q[n / 2] && p[n - 1] == q[n - 1]);
  }
  for (size_t at = 0; at + 4 < n; at += 4) {
    if (WordAt(p + at) != WordAt(q + at)) return false;
  }
  return WordAt(p + n - 4) == WordAt(q + n - 4);  // the last four, overlapping the step before
}

class NameIndex {
 public:
  // Indexes rows 1 to RowCount - 1. The grid must not change while the index is in use: the
  // index reads the names back from it.
  explicit NameIndex(const zolt::CellTable& grid);

  // The first row whose name is exactly name, or -1.
  int FirstRow(std::string_view name) const;

  // The rows whose name an earlier row has, in row order.
  const std::vector<int32_t>& LaterRows() const { return laterRows_; }

  // What places a name's slot; different names may share it. The same in 32-bit and 64-bit
  // builds.
  static uint32_t Hash(std::string_view name);

 private:
  struct Slot {
    uint32_t hash = 0;
    int32_t row = 0;  // 0: free (row 0 is the title row, never indexed)
  };

  // The slot where the probe for hash starts: the hash scaled to the table's size.
  uint32_t Home(uint32_t hash) const {
    return static_cast<uint32_t>(static_cast<uint64_t>(hash) * slots_.size() >> 32);
  }
  uint32_t Next(uint32_t at) const { return at + 1 == slots_.size() ? 0 : at + 1; }
  // Where the probe for hash meets either a free slot or the first slot with that hash.
  uint32_t FirstCandidate(uint32_t hash) const;
  // The first row of name, probing on from that point, or -1.
  int32_t FirstRowFrom(uint32_t at, uint32_t hash, std::string_view name) const;

  zolt::CellTable::Reader grid_;
  std::vector<Slot> slots_;  // open addressing, linear probing; always one slot free at least
  std::vector<int32_t> laterRows_;
};

inline uint32_t NameIndex::FirstCandidate(uint32_t hash) const {
  uint32_t at = Home(hash);
  while (slots_[at].row != 0 && slots_[at].hash != hash) at = Next(at);
  return at;
}

inline int32_t NameIndex::FirstRowFrom(uint32_t at, uint32_t hash, std::string_view name) const {
  for (; slots_[at].row != 0; at = Next(at)) {
    if (slots_[at].hash == hash && SameBytes(grid_.Cell(zolt::kColName, slots_[at].row), name)) {
      return slots_[at].row;
    }
  }
  return -1;
}

}  // namespace compare
