#pragma once
// Find in files: the files under a folder whose names match a mask and
// whose contents hold a text.
//
// Folders are walked breadth first from the start folder, each folder's
// entries in byte order of their names, so the same tree always lists its
// files in the same order. Hidden folders (dot-names) are not entered and
// symbolic links to folders are not followed; hidden files are searched, and
// a link to a file is searched as that file. Devices, FIFOs and sockets are
// left alone. A file or folder that cannot be read is skipped and counted.
// A file's contents are read in large blocks up to its first zero byte (as
// text is read), each block searched as it comes.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace kiv {

class ContentPattern;
class FileMask;
class WorkerControl;

struct FileSearchRequest {
  std::string folder;  // UTF-8 paths, as the system names them
  std::string mask;
  std::string text;    // as typed, UTF-8
};

struct FoundFile {
  std::string path;
  bool inUtf8 = false;  // the text was found in its UTF-8 form only
};

struct FileSearchSummary {
  std::size_t found = 0;
  std::size_t foundInUtf8 = 0;
  std::size_t searched = 0;    // files whose contents were read
  std::size_t unreadable = 0;  // files and folders that could not be read
  bool stopped = false;
};

// Runs a whole search on the calling thread. With a control, it waits while
// paused and ends when asked to stop, between files and between the blocks
// of a large file.
FileSearchSummary searchFiles(const FileSearchRequest& request, WorkerControl* control,
                              const std::function<void(const FoundFile&)>& found);

// Whether one file holds the pattern: read in blocks into `buffer`
// (reused from call to call).
enum class FileCheck { NoMatch, Win1251, Utf8, Unreadable, NotAFile, Stopped };
FileCheck checkFile(const std::string& path, const ContentPattern& pattern, std::string& buffer,
                    WorkerControl* control);

// The status texts of the window (UTF-8).
std::string fileSearchStartText();
// "КОНЕЦ ПОИСКА... НАЙДЕНО 3 ФАЙЛ/ОВ", and how many were found only in UTF-8
// and how many could not be read, when there were any.
std::string fileSearchEndText(const FileSearchSummary& summary);

}  // namespace kiv
