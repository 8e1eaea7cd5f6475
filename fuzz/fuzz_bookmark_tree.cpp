// The bookmarks file: arbitrary bytes to readBookmarkTree.
//  - Reading never crashes and never reads past the data; a refused file
//    gives one of the three messages and no nodes.
//  - A file that reads is written back by writeBookmarkTree as a file that
//    reads as the same tree, and that second file is a fixed point.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/bookmarks/bookmark_tree.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const kiv::BookmarkTreeReading r = kiv::readBookmarkTree(bytes);
  if (!r.ok()) {
    FUZZ_CHECK(r.nodes.empty());
    FUZZ_CHECK(r.error == kiv::kBookmarkFormatWrong || r.error == kiv::kBookmarkVersionUnknown ||
               r.error == kiv::kBookmarkDataCorrupt);
    return 0;
  }
  const std::string written = kiv::writeBookmarkTree(r.nodes);
  const kiv::BookmarkTreeReading again = kiv::readBookmarkTree(written);
  FUZZ_CHECK(again.ok());
  FUZZ_CHECK(again.nodes == r.nodes);
  FUZZ_CHECK(kiv::writeBookmarkTree(again.nodes) == written);
  return 0;
}
