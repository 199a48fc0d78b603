#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <optional>
#include <type_traits>
#include <vector>

namespace korvex {

// One property of the cells of one grid column (their texts, values, colours or hints),
// by row. Rows sit in chunks of a fixed size, so a growing grid never moves the rows it
// has, and a chunk is only made once one of its cells differs from the column's default:
// a cell that keeps the default costs nothing, and a new chunk is touched by its writes.
// Every row outside a chunk, and every row at or past the grid's row count, holds the
// default.
template <typename T>
class ChunkedColumn {
  static_assert(std::is_trivially_copyable_v<T>);

 public:
  explicit ChunkedColumn(T fill) : fill_(fill) {
    unsigned char bytes[sizeof(T)];
    std::memcpy(bytes, &fill_, sizeof(T));
    fillByte_ =
        std::all_of(bytes, bytes + sizeof(T), [&](unsigned char b) { return b == bytes[0]; })
            ? std::optional<unsigned char>(bytes[0])
            : std::nullopt;
  }
  // A copy of its own: what a list keeps of its last whole load is copied chunk by chunk.
  ChunkedColumn(const ChunkedColumn& other) : fill_(other.fill_), fillByte_(other.fillByte_) {
    chunks_.reserve(other.chunks_.size());
    for (const std::unique_ptr<T[]>& chunk : other.chunks_) {
      chunks_.emplace_back();
      if (!chunk) continue;
      chunks_.back() = std::make_unique_for_overwrite<T[]>(kChunkRows);
      std::memcpy(static_cast<void*>(chunks_.back().get()), chunk.get(), kChunkRows * sizeof(T));
    }
  }
  ChunkedColumn(ChunkedColumn&&) noexcept = default;
  ChunkedColumn& operator=(const ChunkedColumn&) = delete;
  ChunkedColumn& operator=(ChunkedColumn&&) noexcept = default;

  T get(std::size_t row) const {
    const std::size_t chunk = row / kChunkRows;
    if (chunk >= chunks_.size() || !chunks_[chunk]) return fill_;
    return chunks_[chunk][row % kChunkRows];
  }
  // The cell of `row` to write in place.
  T& at(std::size_t row) {
    const std::size_t chunk = row / kChunkRows;
    if (chunk >= chunks_.size()) chunks_.resize(chunk + 1);
    if (!chunks_[chunk]) {
      chunks_[chunk] = std::make_unique_for_overwrite<T[]>(kChunkRows);
      fillChunk(chunks_[chunk].get());
    }
    return chunks_[chunk][row % kChunkRows];
  }
  void set(std::size_t row, T value) {
    const std::size_t chunk = row / kChunkRows;
    if (value != fill_ || (chunk < chunks_.size() && chunks_[chunk])) at(row) = value;
  }

  // Rows from `first` on take the default again; chunks wholly past it are let go.
  void resetFrom(std::size_t first) {
    const std::size_t kept = (first + kChunkRows - 1) / kChunkRows;
    if (kept < chunks_.size()) chunks_.resize(kept);
    if (first % kChunkRows != 0 && chunks_.size() == kept && chunks_[kept - 1])
      std::fill(&chunks_[kept - 1][first % kChunkRows], &chunks_[kept - 1][kChunkRows], fill_);
  }
  // Each of the first `rows` rows moves one down; row 0 takes the default.
  void shiftDown(std::size_t rows) {
    if (chunks_.empty()) return;
    for (std::size_t row = rows; row > 0; --row) set(row, get(row - 1));
    set(0, fill_);
  }

 private:
  // A default that repeats one byte goes in as one memset, a fraction of the cost of
  // storing it element by element over the thousands of chunks a large load makes.
  void fillChunk(T* chunk) const {
    if (fillByte_)
      std::memset(static_cast<void*>(chunk), *fillByte_, kChunkRows * sizeof(T));
    else
      std::fill_n(chunk, kChunkRows, fill_);
  }

  // Small enough that a grid of a few rows stays small, large enough that a grid of
  // tens of thousands makes few of them.
  static constexpr std::size_t kChunkRows = 256;

  std::vector<std::unique_ptr<T[]>> chunks_;
  T fill_;
  std::optional<unsigned char> fillByte_;
};

}  // namespace korvex
