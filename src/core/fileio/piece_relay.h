#pragma once
// Making a large text and taking it in, on two cores at once: the pieces
// are made on a thread of their own and taken, in order, on the calling
// thread (which owns whatever takes them in).

#include <cstddef>
#include <functional>
#include <string_view>

namespace kiv {

using PieceTaker = std::function<void(std::string_view)>;

// Runs `make` on another thread; every piece it gives reaches `take` on
// this thread, in the same order. At most `waiting` pieces wait between the
// two. Returns what `make` returned; what `make` or `take` throws is thrown
// here, after the other side has stopped.
bool relayPieces(const std::function<bool(const PieceTaker&)>& make, const PieceTaker& take,
                 std::size_t waiting = 4);

}  // namespace kiv
