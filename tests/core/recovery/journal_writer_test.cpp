// Journal files on disk: written by the writing thread, locked while their
// program holds them, taken back after it is gone.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <memory>

#include "common/save_test_support.h"
#include "core/common/file_identity.h"
#include "core/fileio/document_file_stream.h"
#include "core/recovery/journal_writer.h"
#include "core/recovery/left_journals.h"

using namespace kiv;
namespace fs = std::filesystem;

namespace {

// A scratch folder with the recovery folder in it.
struct TempFolder : test::ScratchFolder {
  std::string recovery() const { return *this / "Recovery"; }
};

JournalHeader header(const std::string& name) {
  JournalHeader h;
  h.fileName = name;
  h.hasFile = true;
  return h;
}

}  // namespace

TEST(JournalWriter, WritesStartsAndEditsAndCompacts) {
  TempFolder tmp;
  JournalWriter w(tmp.recovery());
  const int id = w.create();
  EXPECT_FALSE(fs::exists(w.path(id)));  // no file before there is something to keep
  w.start(id, header("/x.txt"), "abc");
  w.append(id, journalInsertRecord(3, "d"));
  w.append(id, journalDeleteRecord(0, 1));
  w.flush();
  JournalContent r = readJournal(test::bytesOf(w.path(id)));
  EXPECT_EQ(r.text, "bcd");
  EXPECT_EQ(r.header.fileName, "/x.txt");
  const auto before = fs::file_size(w.path(id));
  w.start(id, header("/x.txt"), "bcd");
  w.flush();
  EXPECT_LT(fs::file_size(w.path(id)), before);
  EXPECT_EQ(readJournal(test::bytesOf(w.path(id))).text, "bcd");
  EXPECT_TRUE(w.lastError().empty());
}

TEST(JournalWriter, EditsReachTheDiskWithinTheDelayWithoutFlush) {
  TempFolder tmp;
  JournalWriter w(tmp.recovery(), std::chrono::milliseconds(50));
  const int id = w.create();
  w.start(id, header("/y.txt"), "");
  w.append(id, journalInsertRecord(0, "typed"));
  std::string text;
  for (int i = 0; i < 200 && text != "typed"; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    text = readJournal(test::bytesOf(w.path(id))).text;
  }
  EXPECT_EQ(text, "typed");
}

// A large text is written by a child process straight from the caller's
// memory; the journal must read back the same as a copied one, in either
// layout of the two runs, and edits queued meanwhile must land after it.
TEST(JournalWriter, LargeTextsWrittenByAChildReadBackWhole) {
  TempFolder tmp;
  JournalWriter w(tmp.recovery());
  std::string big(9 << 20, '\0');
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>((i * 2654435761u) >> 13);
  const std::string_view all(big);
  struct Case {
    std::string_view first, second;
  };
  const Case cases[] = {
      {all, {}},
      {all.substr(0, 1), all.substr(1)},
      {all.substr(0, 5 << 20), all.substr(5 << 20)},
      {{}, all},
  };
  for (const Case& c : cases) {
    const int id = w.create();
    w.startFrom(id, header("/big.txt"), c.first, c.second);
    w.append(id, journalInsertRecord(0, "head "));
    w.flush();
    const JournalContent r = readJournal(test::bytesOf(w.path(id)));
    ASSERT_TRUE(r.readable) << r.problem;
    EXPECT_FALSE(r.cutShort);
    EXPECT_EQ(r.header.fileName, "/big.txt");
    EXPECT_EQ(r.text.size(), big.size() + 5);
    EXPECT_TRUE(r.text == "head " + big);
    // A second start (a compaction) replaces the first.
    w.startFrom(id, header("/big2.txt"), all.substr(1), {});
    w.flush();
    const JournalContent again = readJournal(test::bytesOf(w.path(id)));
    EXPECT_EQ(again.header.fileName, "/big2.txt");
    EXPECT_TRUE(again.text == all.substr(1));
  }
  EXPECT_TRUE(w.lastError().empty()) << w.lastError();
  // No unfinished files left beside the journals.
  for (const auto& e : fs::directory_iterator(tmp.recovery()))
    EXPECT_EQ(e.path().extension(), std::string(kJournalExtension)) << e.path();
}

TEST(JournalWriter, DiscardStopsASnapshotBeingWrittenWithoutAnError) {
  TempFolder tmp;
  JournalWriter w(tmp.recovery());
  const std::string big(64 << 20, 'x');
  const int id = w.create();
  w.startFrom(id, header("/big.txt"), big);
  w.discard(id);
  w.flush();
  EXPECT_FALSE(fs::exists(w.path(id)));
  EXPECT_TRUE(fs::is_empty(tmp.recovery()));
  EXPECT_TRUE(w.lastError().empty()) << w.lastError();
}

TEST(JournalWriter, EditsAfterAFailedStartDoNotReachTheOldJournal) {
  // Edits count from the text of the latest start; written after an older
  // one they would rebuild a text nobody had.
  TempFolder tmp;
  JournalWriter w(tmp.recovery());
  const int id = w.create();
  w.start(id, header("/x.txt"), "old text");
  w.append(id, journalInsertRecord(0, "A"));
  w.flush();
  const std::string moved = tmp.path() + "/moved";
  fs::rename(tmp.recovery(), moved);
  test::putBytes(tmp.recovery(), "a file where the folder was");
  w.start(id, header("/x.txt"), "new text");  // cannot be written
  w.append(id, journalInsertRecord(0, "B"));
  w.flush();
  EXPECT_FALSE(w.lastError().empty());
  const std::string oldPath = moved + "/" + fs::path(w.path(id)).filename().string();
  EXPECT_EQ(readJournal(test::bytesOf(oldPath)).text, "Aold text");
}

TEST(JournalWriter, ASnapshotStoppedForASaveLeavesNoJournalAndNoError) {
  TempFolder tmp;
  JournalWriter w(tmp.recovery());
  const std::string big(96 << 20, 'x');
  const int id = w.create();
  w.startFrom(id, header("/big.txt"), big);
  const bool stopped = w.stopSnapshots(id);
  w.append(id, journalInsertRecord(0, "typed"));
  w.flush();
  EXPECT_TRUE(w.lastError().empty()) << w.lastError();
  if (stopped) {
    EXPECT_FALSE(fs::exists(w.path(id)));
  } else {
    // The child had already finished: the journal is whole.
    EXPECT_EQ(readJournal(test::bytesOf(w.path(id))).text.size(), big.size() + 5);
  }
  EXPECT_FALSE(w.stopSnapshots(id));  // nothing left to stop
  // A later start works as before.
  w.start(id, header("/big.txt"), "small");
  w.flush();
  EXPECT_EQ(readJournal(test::bytesOf(w.path(id))).text, "small");
}

TEST(JournalWriter, DiscardDeletesReleaseKeeps) {
  TempFolder tmp;
  std::string kept, gone;
  {
    JournalWriter w(tmp.recovery());
    const int a = w.create(), b = w.create();
    EXPECT_NE(w.path(a), w.path(b));
    w.start(a, header("/a"), "A");
    w.start(b, header("/b"), "B");
    w.discard(b);
    w.release(a);
    w.flush();
    kept = w.path(a);
    gone = w.path(b);
  }
  EXPECT_TRUE(fs::exists(kept));
  EXPECT_FALSE(fs::exists(gone));
}

TEST(LeftJournals, HeldJournalsAreNotTakenReleasedOnesAre) {
  TempFolder tmp;
  auto w = std::make_unique<JournalWriter>(tmp.recovery());
  const int id = w->create();
  w->start(id, header("/held.txt"), "text");
  w->flush();
  EXPECT_TRUE(takeLeftJournals(tmp.recovery()).empty());  // its program is running
  w.reset();  // the program ends without removing it, as a crash does
  auto left = takeLeftJournals(tmp.recovery());
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(left[0]->content().text, "text");
  // While one program has taken it, another does not take it too.
  EXPECT_TRUE(takeLeftJournals(tmp.recovery()).empty());
  const std::string path = left[0]->path();
  left.clear();
  EXPECT_EQ(takeLeftJournals(tmp.recovery()).size(), 1u);
  auto again = takeLeftJournals(tmp.recovery());
  ASSERT_EQ(again.size(), 1u);
  EXPECT_TRUE(again[0]->remove());
  EXPECT_FALSE(fs::exists(path));
}

TEST(LeftJournals, UnreadableJournalsAreListedOtherFilesIgnored) {
  TempFolder tmp;
  fs::create_directories(tmp.recovery());
  test::putBytes(tmp.recovery() + "/broken" + std::string(kJournalExtension), "KIVJRNL1 cut");
  test::putBytes(tmp.recovery() + "/notes.txt", "not a journal");
  auto left = takeLeftJournals(tmp.recovery());
  ASSERT_EQ(left.size(), 1u);
  EXPECT_FALSE(left[0]->content().readable);
  EXPECT_FALSE(left[0]->content().problem.empty());
  EXPECT_TRUE(takeLeftJournals(tmp.path() + "/missing").empty());
}

TEST(LeftJournals, TellWhetherTheFileChangedOnDisk) {
  TempFolder tmp;
  const std::string same = tmp.path() + "/same.txt", changed = tmp.path() + "/changed.txt",
                    removed = tmp.path() + "/removed.txt";
  for (const auto& f : {same, changed, removed}) test::putBytes(f, "on disk");
  struct Case {
    const char* what;
    JournalHeader header;
    bool changed;
  } cases[] = {
      {"file as it was read", header(same), false},
      {"file written since", header(changed), true},
      {"file removed since", header(removed), true},
      {"never saved", JournalHeader{}, false},
  };
  for (Case& c : cases)
    if (c.header.hasFile) c.header.disk = fileIdentity(c.header.fileName);
  {
    JournalWriter w(tmp.recovery());
    for (const Case& c : cases) w.start(w.create(), c.header, "t");
    w.flush();
  }
  test::putBytes(changed, "written by another program, longer");
  fs::remove(removed);
  auto left = takeLeftJournals(tmp.recovery());
  ASSERT_EQ(left.size(), std::size(cases));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto it = std::find_if(left.begin(), left.end(),
                                 [&](const auto& j) { return j->content().header.fileName == c.header.fileName; });
    ASSERT_NE(it, left.end());
    EXPECT_EQ((*it)->fileChangedOnDisk(), c.changed);
  }
}

namespace {

// What opening learns of a file and the text it shows of it.
std::pair<DocumentFileInfo, std::string> opened(const std::string& path) {
  const DocumentFileInfo info = *scanDocumentFile(path, true);
  std::string text;
  ShownTextMaker maker(info, [&](std::string_view piece) { text += piece; });
  readFileBlocks(path, 1 << 16, [&](std::string_view block) { maker.feed(block); });
  maker.finish();
  return {info, text};
}

}  // namespace

// A start from the document's file copies the file as it is on disk and
// the edits follow it; the journal gives back the text opening made with
// the edits made since.
TEST(JournalWriter, AStartFromTheFileCopiesItAndTheEditsFollow) {
  TempFolder tmp;
  const std::string file = tmp / "большой.txt";
  std::string bytes;
  for (int i = 0; i < 40000; ++i) bytes += "\xD1\xF2\xF0\xEE\xEA\xE0 " + std::to_string(i) + "\r\n";
  test::putBytes(file, bytes);
  const auto [info, text] = opened(file);
  JournalWriter w(tmp.recovery());
  const int id = w.create();
  w.startFromFile(id, header(file), file, *fileIdentity(file), info, text.size());
  w.append(id, journalInsertRecord(0, "Ж"));
  w.append(id, journalDeleteRecord(text.size(), 2));
  w.flush();
  const JournalContent r = readJournal(test::bytesOf(w.path(id)));
  ASSERT_TRUE(r.readable) << r.problem;
  EXPECT_TRUE(r.text == "Ж" + text.substr(0, text.size() - 2));
  EXPECT_EQ(r.header.fileName, file);
  EXPECT_FALSE(w.takeLostStart(id));
  EXPECT_TRUE(w.lastError().empty()) << w.lastError();
}

// A file that is no longer the one opened (changed, replaced or gone) is
// not copied: no journal, nothing appended, no error for the user; the
// caller hears of it once and starts again from its text.
TEST(JournalWriter, AStartFromAChangedFileIsGivenUp) {
  const struct {
    const char* what;
    void (*change)(const std::string& file);
  } changes[] = {
      {"written again", [](const std::string& f) { test::putBytes(f, "другое\r\n"); }},
      {"removed", [](const std::string& f) { fs::remove(f); }},
      {"replaced", [](const std::string& f) {
         test::putBytes(f + ".new", "раз\r\nдва\r\n");
         fs::rename(f + ".new", f);
       }},
  };
  for (const auto& c : changes) {
    SCOPED_TRACE(c.what);
    TempFolder tmp;
    const std::string file = tmp / "файл.txt";
    test::putBytes(file, "раз\r\nдва\r\n");
    const auto [info, text] = opened(file);
    const FileIdentity identity = *fileIdentity(file);
    c.change(file);
    JournalWriter w(tmp.recovery());
    const int id = w.create();
    w.startFromFile(id, header(file), file, identity, info, text.size());
    w.append(id, journalInsertRecord(0, "x"));
    w.flush();
    EXPECT_FALSE(fs::exists(w.path(id)));
    EXPECT_TRUE(w.takeLostStart(id));
    EXPECT_FALSE(w.takeLostStart(id));
    EXPECT_TRUE(w.lastError().empty()) << w.lastError();
    // Started again from the text, the journal is whole.
    w.start(id, header(file), "x" + text);
    w.append(id, journalInsertRecord(0, "y"));
    w.flush();
    EXPECT_EQ(readJournal(test::bytesOf(w.path(id))).text, "yx" + text);
  }
}
