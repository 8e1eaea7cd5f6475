#include <gtest/gtest.h>

#include "core/document/code_templates.h"
#include "core/document/document_rules.h"
#include "core/document/image_size.h"

using namespace kiv;

TEST(DocumentRules, NamedFileResolution) {
  struct Row {
    const char* text;
    const char* doc;
    const char* file;
  } rows[] = {
      {"/img/logo.png", "/site/index.htm", "/site/img/logo.png"},
      {"img/logo.png", "/site/index.htm", "/site/img/logo.png"},
      {"img\\logo.png", "/site/index.htm", "/site/img/logo.png"},
      {"page.htm", "/site/index.htm", "/site/page.htm"},
      {"C:\\x\\y.txt", "/site/index.htm", "C:\\x\\y.txt"},
      {"a/b/c", "untitled0", "a/b/c"},
  };
  for (const auto& r : rows) EXPECT_EQ(resolveNamedFile(r.text, r.doc), r.file) << r.text;
  EXPECT_TRUE(isViewableImage("/a/b.JPEG"));
  EXPECT_TRUE(isViewableImage("x.png"));
  EXPECT_FALSE(isViewableImage("x.bmp"));
}

TEST(DocumentRules, RunLineKeepsFileNameOneArgument) {
  auto cmd = parseRunLine("gcc -o out @ -Wall", "/my docs/a b.c");
  ASSERT_TRUE(cmd);
  EXPECT_EQ(cmd->program, "gcc");
  EXPECT_EQ(cmd->arguments, (std::vector<std::string>{"-o", "out", "/my docs/a b.c", "-Wall"}));
  cmd = parseRunLine("\"/opt/my tool/run\" \"two words\" x@y", "/f");
  ASSERT_TRUE(cmd);
  EXPECT_EQ(cmd->program, "/opt/my tool/run");
  EXPECT_EQ(cmd->arguments, (std::vector<std::string>{"two words", "x/fy"}));
  EXPECT_FALSE(parseRunLine("   ", "/f"));
  cmd = parseRunLine("ls", "/f");
  ASSERT_TRUE(cmd);
  EXPECT_TRUE(cmd->arguments.empty());
}

TEST(DocumentRules, Extensions) {
  EXPECT_EQ(fileExtension("/a.b/c"), "");
  EXPECT_EQ(fileExtension("/a/c.tar.gz"), ".gz");
  EXPECT_EQ(fileFolder("/a/b.txt"), "/a/");
  EXPECT_EQ(fileNameOnly("/a/b.txt"), "b.txt");
  EXPECT_EQ(highlighterForFile("X.HTML"), "HTML");
  EXPECT_EQ(highlighterForFile("x.cc"), "Нет");
}

TEST(CodeTemplates, SetsAndExpansion) {
  EXPECT_EQ(templateSet("Custom").size(), 3u);
  ASSERT_NE(findTemplate("Custom", "center"), nullptr);
  EXPECT_EQ(findTemplate("Delphi", "Center"), nullptr);
  EXPECT_FALSE(templatesStartingWith("Delphi", "for").empty());
  EXPECT_TRUE(templatesStartingWith("Unknown", "").empty());
  std::size_t caret = 0;
  const CodeTemplate* t = findTemplate("C++ Builder", "if");
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(expandTemplate(*t, "  ", caret), "if ()\r\n  {\r\n\r\n  }");
  EXPECT_EQ(caret, 4u);
  const CodeTemplate* html = findTemplate("Custom", "HTML Base");
  ASSERT_NE(html, nullptr);
  EXPECT_NE(expandTemplate(*html, "", caret).find("<title>Untitled</title>"), std::string::npos);
}

TEST(CodeTemplates, WordBeforeTheCaret) {
  const struct {
    const char* line;
    std::size_t end;
    std::size_t start;
  } cases[] = {
      {"  ifb", 5, 2},      {"x.Cen", 5, 2},  {"a_b1", 4, 0},  {"Center", 3, 0},  {"foo ", 4, 4},
      {"", 0, 0},           {"ab", 9, 0},     // past the end: clamped
      {"\xc0\xc1" "Cen", 5, 2},  // bytes of other letters end the word
      {"(Font)", 5, 1},
  };
  for (const auto& c : cases) EXPECT_EQ(templateWordStart(c.line, c.end), c.start) << c.line << " " << c.end;
}

TEST(ImageSize, PngGifJpeg) {
  std::string png = "\x89PNG\r\n\x1a\n";
  png += std::string("\0\0\0\x0dIHDR\0\0\x01\x2c\0\0\0\xc8", 16);
  EXPECT_EQ(pngSize(png).width, 300);
  EXPECT_EQ(pngSize(png).height, 200);
  EXPECT_EQ(pngSize(png.substr(0, 20)).width, 0);  // never reads past the data
  // Widths and heights are 32-bit: 70,000 × 65,536 reads whole; past 2^31 - 1 the
  // picture is not valid.
  const struct {
    std::string header;
    int width, height;
  } big[] = {
      {std::string("\0\x01\x11\x70\0\x01\0\0", 8), 70000, 65536},
      {std::string("\x7f\xff\xff\xff\0\0\0\x01", 8), 0x7FFFFFFF, 1},
      {std::string("\x80\0\0\0\0\0\0\x01", 8), 0, 0},
  };
  for (const auto& b : big) {
    const std::string p = png.substr(0, 16) + b.header;
    EXPECT_EQ(pngSize(p).width, b.width);
    EXPECT_EQ(pngSize(p).height, b.height);
  }

  std::string gif = std::string("GIF89a\x10\0\x10\0\x80\0\0", 13) + std::string(6, '\0') + "," +
                    std::string("\0\0\0\0\x40\x01\xf0\0\0", 9);
  EXPECT_EQ(gifSize(gif).width, 320);
  EXPECT_EQ(gifSize(gif).height, 240);
  EXPECT_EQ(gifSize(gif.substr(0, gif.size() - 1)).width, 0);
  EXPECT_EQ(gifSize("GIF").width, 0);
  // A graphic control block holding the byte 2C (a delay of 44) is skipped.
  std::string animated = std::string("GIF89a\x10\0\x10\0\0\0\0", 13) +
                         std::string("\x21\xF9\x04\x00\x2C\x00\x00\x00", 8) +
                         std::string("\x21\xFE\x02,,\x00", 6) + "," +
                         std::string("\0\0\0\0\x40\x01\xf0\0\0", 9);
  EXPECT_EQ(gifSize(animated).width, 320);
  EXPECT_EQ(gifSize(animated).height, 240);
  // A block running past the end gives no size.
  EXPECT_EQ(gifSize(std::string("GIF89a\x10\0\x10\0\0\0\0\x21\xF9\x7F", 16)).width, 0);

  std::string jpeg = std::string("\xFF\xD8\xFF\xE0\x00\x04\xAA\xBB\xFF\xFF\xC0\x00\x11\x08\x01\xE0\x02\x80", 18);
  EXPECT_EQ(jpegSize(jpeg).width, 640);
  EXPECT_EQ(jpegSize(jpeg).height, 480);
  // A segment length below 2 is a malformed file, not an endless loop.
  EXPECT_EQ(jpegSize(std::string("\xFF\xD8\xFF\xE0\x00\x00\xFF\xC0", 8)).width, 0);
  EXPECT_EQ(jpegSize(std::string("\xFF\xD8\xFF\xE0\x00\x01", 6)).width, 0);
  EXPECT_EQ(jpegSize(std::string("\xFF\xD8\xFF\xC0\x00", 5)).width, 0);
  EXPECT_EQ(jpegSize(std::string("\xFF\xD8\x12", 3)).width, 0);
  EXPECT_EQ(jpegSize(std::string("\xFF\xD8\xFF\xD0\xFF\xC2\x00\x11\x08\x00\x10\x00\x20", 13)).width, 32);

  EXPECT_EQ(imageTag("a.png", 'P', {3, 4}), "<img src=\"a.png\" width=\"3\" height=\"4\" border=\"0\" alt=\"\">");
  EXPECT_EQ(imageTag("a.bmp", 0, {}), "<img src=\"a.bmp\" width=\"\" height=\"\" border=\"0\" alt=\"\">");
  EXPECT_EQ(imageKindOfExtension(".ping"), 'P');
  EXPECT_TRUE(isDroppedImageExtension(".bmp"));
}
