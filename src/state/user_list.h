#pragma once

#include <functional>
#include <optional>
#include <string_view>

#include "state/context.h"
#include "state/task.h"
#include "text/feed_text.h"
#include "text/picked_values.h"

namespace korvex {

using PickedReader = std::function<void(const PickedBlock& values)>;

// Hands the values `pick` takes from each block of one of the logged-in user's lists
// ("line", "live" or "bf"), fetched on IdHTTP1 with the session's credentials, to
// `reader`, after calling `start` once: the loader empties its grids there, so that they
// show their old rows until the new ones come. A failed request ends the list at what
// arrived, usually nothing, and is returned for the status.
//
// Run in place, each block is picked and read as soon as it is in. With a request runner
// the blocks are picked on the request thread while the answer arrives, and read here,
// with a turn of the window's events every few hundred blocks, so that a list of
// thousands of matches never holds the window for long.
Task<std::optional<FetchError>> fetchUserListPicked(Context& ctx, std::string_view menu,
                                                    std::function<void()> start, BlockPicker pick,
                                                    PickedReader reader);
// Picks each block as it is read, on this thread.
std::function<void(std::string_view block)> pickingReader(const BlockPicker& pick,
                                                          const PickedReader& reader);
// The blocks of an answer already in, read at once.
Task<std::optional<FetchError>> readAnswerPicked(std::string_view answer, BlockPicker pick,
                                                 std::function<void()> start, PickedReader reader);

// The ways a loader gets its blocks, as walks that call `start`, then hand each block's
// picked values to a reader: the user's list, or an answer already in.
inline auto userListPicked(Context& ctx, std::string_view menu, BlockPicker pick) {
  return [&ctx, menu, pick = std::move(pick)](std::function<void()> start, PickedReader reader) {
    return fetchUserListPicked(ctx, menu, std::move(start), pick, std::move(reader));
  };
}
inline auto answerPicked(std::string_view answer, BlockPicker pick) {
  return [answer, pick = std::move(pick)](std::function<void()> start, PickedReader reader) {
    return readAnswerPicked(answer, pick, std::move(start), std::move(reader));
  };
}

// Rebuilds `grid` from the blocks that `walk` hands over, one row each, filled by
// fillRow(row, values). The grid is emptied once the first block is in (emptyThenBatch).
template <typename Walk, typename FillRow>
Task<std::optional<FetchError>> rebuildGrid(GridModel& grid, Walk walk, FillRow fillRow) {
  std::optional<GridModel::Batch> batch;
  std::function<void()> start = [&] { emptyThenBatch(grid, batch); };
  PickedReader reader = [&](const PickedBlock& values) { fillRow(grid.appendRow(), values); };
  co_return co_await walk(std::move(start), std::move(reader));
}

}  // namespace korvex
