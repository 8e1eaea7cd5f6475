// Recovery journals: what is written reads back, edits replay, and a journal
// cut or damaged anywhere gives back everything up to its last whole record.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/recovery/journal_format.h"

using namespace kiv;

namespace {

std::string allBytes() {
  std::string s;
  for (int i = 0; i < 256; ++i) s += static_cast<char>(i);
  return s;
}

JournalHeader named(const std::string& name, const std::string& charset) {
  JournalHeader h;
  h.fileName = name;
  h.hasFile = true;
  h.charset = charset;
  return h;
}

}  // namespace

TEST(JournalFormat, HeaderAndTextReadBackExactly) {
  JournalHeader untitled;
  untitled.fileName = "untitled3";
  JournalHeader utf8 = named("/home/я/файл.txt", "win");
  utf8.shape = TextFileShape{LineEndStyle::Lf, false, true, true};
  utf8.disk = FileIdentity{7, 123456789012345ULL, 1LL << 40, 1700000000, 999999999};
  JournalHeader odd = named("/tmp/a\nb\r=[x].txt", "koi");
  odd.shape.lineEnd = LineEndStyle::Cr;
  JournalHeader dos = named(std::string("/tmp/\xD0\x00z", 8), "dos");
  struct Case {
    const char* what;
    JournalHeader header;
    std::string text;
  } cases[] = {
      {"untitled, empty text", untitled, ""},
      {"UTF-8 file with its disk state", utf8, "строка\r\nещё"},
      {"line break in the name", odd, "x"},
      {"every byte value in the text", dos, allBytes()},
      {"a zero byte only", untitled, std::string(1, '\0')},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const JournalContent r = readJournal(journalStart(c.header, c.text));
    ASSERT_TRUE(r.readable) << r.problem;
    EXPECT_EQ(r.header, c.header);
    EXPECT_EQ(r.text, c.text);
    EXPECT_FALSE(r.cutShort);
  }
}

TEST(JournalFormat, EditsReplayInOrder) {
  struct Edit {
    char kind;  // 'I' or 'D'
    std::uint64_t at;
    std::string text;  // inserted text
    std::uint64_t length = 0;
  };
  struct Case {
    const char* what;
    std::string start;
    std::vector<Edit> edits;
    std::string expected;
  } cases[] = {
      {"typing at the end", "ab", {{'I', 2, "c"}, {'I', 3, "d"}}, "abcd"},
      {"typing at the start", "b", {{'I', 0, "a"}}, "ab"},
      {"backspace", "abc", {{'D', 2, "", 1}}, "ab"},
      {"delete everything then type", "abc", {{'D', 0, "", 3}, {'I', 0, "x"}}, "x"},
      {"insert into an empty text", "", {{'I', 0, "привет"}}, "привет"},
      {"zero-length delete", "abc", {{'D', 3, "", 0}}, "abc"},
      {"insert every byte", "[]", {{'I', 1, allBytes()}}, "[" + allBytes() + "]"},
      {"replace in the middle", "one two three", {{'D', 4, "", 3}, {'I', 4, "2"}}, "one 2 three"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::string j = journalStart(JournalHeader{}, c.start);
    for (const Edit& e : c.edits) j += e.kind == 'I' ? journalInsertRecord(e.at, e.text) : journalDeleteRecord(e.at, e.length);
    const JournalContent r = readJournal(j);
    ASSERT_TRUE(r.readable);
    EXPECT_EQ(r.text, c.expected);
    EXPECT_EQ(r.edits, c.edits.size());
    EXPECT_FALSE(r.cutShort);
  }
}

TEST(JournalFormat, LaterHeaderAndSnapshotReplaceEarlierOnes) {
  std::string j = journalStart(named("/a.txt", "win"), "old");
  j += journalInsertRecord(3, "!");
  j += journalHeaderRecord(named("/a.txt", "koi"));
  j += journalSnapshotRecord("fresh");
  j += journalInsertRecord(0, ">");
  const JournalContent r = readJournal(j);
  EXPECT_EQ(r.header.charset, "koi");
  EXPECT_EQ(r.text, ">fresh");
}

TEST(JournalFormat, EveryCutRecoversUpToTheLastWholeRecord) {
  const std::string start = journalStart(named("/doc.txt", "win"), "Hello");
  const std::vector<std::string> edits = {journalInsertRecord(5, ","), journalInsertRecord(6, " world"),
                                          journalDeleteRecord(0, 1), journalInsertRecord(0, "J")};
  const std::vector<std::string> texts = {"Hello", "Hello,", "Hello, world", "ello, world", "Jello, world"};
  std::string whole = start;
  std::vector<std::size_t> ends = {start.size()};
  for (const auto& e : edits) {
    whole += e;
    ends.push_back(whole.size());
  }
  for (std::size_t cut = start.size(); cut <= whole.size(); ++cut) {
    SCOPED_TRACE(cut);
    const JournalContent r = readJournal(std::string_view(whole).substr(0, cut));
    ASSERT_TRUE(r.readable);
    std::size_t whole_records = 0;
    while (whole_records + 1 < ends.size() && ends[whole_records + 1] <= cut) ++whole_records;
    EXPECT_EQ(r.text, texts[whole_records]);
    EXPECT_EQ(r.usedBytes, ends[whole_records]);
    EXPECT_EQ(r.cutShort, cut != ends[whole_records]);
  }
}

TEST(JournalFormat, ADamagedRecordEndsTheReading) {
  std::string j = journalStart(JournalHeader{}, "abc");
  const std::size_t goodEnd = (j += journalInsertRecord(3, "d")).size();
  j += journalInsertRecord(4, "e");
  j += journalInsertRecord(5, "f");
  // Any byte changed in the third-to-last record loses it and what follows.
  for (std::size_t at = goodEnd; at < goodEnd + journalInsertRecord(4, "e").size(); ++at) {
    SCOPED_TRACE(at);
    std::string bad = j;
    bad[at] = static_cast<char>(bad[at] ^ 0x20);
    const JournalContent r = readJournal(bad);
    EXPECT_EQ(r.text, "abcd");
    EXPECT_TRUE(r.cutShort);
  }
}

TEST(JournalFormat, BadJournalsAreUnreadableOrStopEarly) {
  const std::string sig(kJournalSignature);
  const std::string head = journalHeaderRecord(JournalHeader{});
  std::string hugeLength = sig + head + "S";
  hugeLength += std::string(8, '\xFF');
  struct Case {
    const char* what;
    std::string bytes;
    bool readable;
    std::string text;
  } cases[] = {
      {"empty file", "", false, ""},
      {"another file", "plain text, not a journal", false, ""},
      {"signature only", sig, false, ""},
      {"header without text", sig + head, false, ""},
      {"text without header", sig + journalSnapshotRecord("x"), false, "x"},
      {"edit before any text", sig + head + journalInsertRecord(0, "x"), false, ""},
      {"insert past the end", sig + head + journalSnapshotRecord("ab") + journalInsertRecord(3, "x"), true, "ab"},
      {"delete past the end", sig + head + journalSnapshotRecord("ab") + journalDeleteRecord(1, 2), true, "ab"},
      {"huge length field", hugeLength, false, ""},
      {"unknown record type", sig + head + journalSnapshotRecord("ab") + "Z" + std::string(12, '\0'), true, "ab"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const JournalContent r = readJournal(c.bytes);
    EXPECT_EQ(r.readable, c.readable);
    if (!c.readable) {
      EXPECT_FALSE(r.problem.empty());
    }
    EXPECT_EQ(r.text, c.text);
  }
}

TEST(JournalFormat, Crc32MatchesTheStandardCheckValue) { EXPECT_EQ(crc32("123456789"), 0xCBF43926u); }

namespace {

// What the editing control shows of a file, as opening makes it.
std::string shown(std::string_view file, const DocumentFileInfo& info) {
  std::string text;
  ShownTextMaker maker(info, [&](std::string_view piece) { text += piece; });
  maker.feed(file);
  maker.finish();
  return text;
}

DocumentFileInfo scanned(std::string_view file) {
  DocumentFileScanner scanner;
  scanner.feed(file);
  return scanner.finish(true);
}

// A journal started from a file, as the writer lays it out.
std::string fileJournal(const JournalHeader& h, std::string_view file, const DocumentFileInfo& info,
                        std::uint64_t textSize) {
  std::string j = journalFileStartHead(h, info, textSize, file.size());
  j += file;
  j += journalSnapshotEnd(crc32(file, crcOfFileRecordHead(info, textSize, file.size())));
  return j;
}

}  // namespace

// A journal that starts from the document's file gives back the text
// opening made of it, with the edits after, for every kind of file.
TEST(JournalFormat, FileStartsGiveTheTextOpeningMade) {
  std::string longLine(std::size_t{3} << 20, 'x');
  longLine += "\r\nконец";
  const struct {
    const char* what;
    std::string file;
  } files[] = {
      {"Windows-1251, CR LF", "\xDD\xF2\xEE \xF4\xE0\xE9\xEB\r\n\xE2\xF2\xEE\xF0\xE0\xFF\r\n"},
      {"KOI8-R, LF", "\xF0\xD2\xC9\xD7\xC5\xD4, \xCD\xC9\xD2\n\xE4\xCF \xD3\xD7\xC9\xC4\xC1\xCE\xC9\xD1\n"},
      {"UTF-8 with a mark, CR", "\xEF\xBB\xBF\xD0\x81\xD0\xB6\xD0\xB8\xD0\xBA\r\xD1\x91\xD0\xBB\xD0\xBA\xD0\xB0"},
      {"UTF-8 with characters 1251 lacks", "\xE4\xB8\xAD \xF0\x9F\x98\x80 \xD1\x8F\n"},
      {"every byte", allBytes()},
      {"a line of megabytes", longLine},
      {"empty", ""},
  };
  for (const auto& f : files) {
    SCOPED_TRACE(f.what);
    const DocumentFileInfo info = scanned(f.file);
    const std::string text = shown(f.file, info);
    JournalHeader h = named("/home/я/файл.txt", info.charset);
    h.shape = info.shape;
    std::string j = fileJournal(h, f.file, info, text.size());
    j += journalInsertRecord(0, "Ж");
    const JournalContent r = readJournal(j);
    ASSERT_TRUE(r.readable) << r.problem;
    EXPECT_TRUE(r.text == "Ж" + text);
    EXPECT_EQ(r.header, h);
    EXPECT_EQ(r.edits, 1u);
    EXPECT_FALSE(r.cutShort);
  }
}

// A file record that does not make a text of the length it gives, or whose
// fields or bytes are damaged, rebuilds nothing and says why.
TEST(JournalFormat, AFileStartThatDoesNotAddUpIsUnreadable) {
  const std::string file = "\xDD\xF2\xEE\r\n";
  const DocumentFileInfo info = scanned(file);
  const std::uint64_t size = shown(file, info).size();
  DocumentFileInfo unknownCharset = info;
  unknownCharset.charset = "latin9";
  std::string damaged = fileJournal(JournalHeader{}, file, info, size);
  damaged[damaged.size() - 6] ^= 0x01;
  const struct {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"longer text promised", fileJournal(JournalHeader{}, file, info, size + 1)},
      {"shorter text promised", fileJournal(JournalHeader{}, file, info, size - 1)},
      {"more text promised than any file makes", fileJournal(JournalHeader{}, file, info, std::uint64_t{1} << 62)},
      {"unknown code page", fileJournal(JournalHeader{}, file, unknownCharset, size)},
      {"a byte of the file changed", damaged},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const JournalContent r = readJournal(c.bytes);
    EXPECT_FALSE(r.readable);
    EXPECT_FALSE(r.problem.empty());
    EXPECT_TRUE(r.text.empty());
  }
  EXPECT_TRUE(readJournal(fileJournal(JournalHeader{}, file, info, size)).readable);
}
