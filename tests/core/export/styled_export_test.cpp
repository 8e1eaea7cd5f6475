#include <gtest/gtest.h>

#include "core/export/styled_export.h"

using namespace kiv;

namespace {
StyledText sample() {
  StyledText t;
  t.bytes = "<b>\xC6 & {x}\\\r\nend";
  t.styles.assign(t.bytes.size(), 0);
  t.styles[0] = t.styles[1] = t.styles[2] = 1;
  t.styleTable = {ExportStyle{0x000000, 0xFFFFFF, false, false, false},
                  ExportStyle{0x0000FF, 0xFFFFFF, true, false, false}};
  return t;
}
}  // namespace

TEST(StyledExport, HtmlEscapesAndColours) {
  const std::string html = exportHtml(sample(), CodePage::get(CodePageId::Win1251), "a<b>.txt");
  EXPECT_NE(html.find("charset=windows-1251"), std::string::npos);
  EXPECT_NE(html.find("<title>a&lt;b&gt;.txt</title>"), std::string::npos);
  EXPECT_NE(html.find("<span style=\"color: #0000FF; font-weight: bold\">&lt;b&gt;</span>"), std::string::npos);
  EXPECT_NE(html.find("\xC6 &amp; {x}\\"), std::string::npos);
  EXPECT_NE(html.find("\r\n<span style=\"color: #000000\">end</span>"), std::string::npos);
  EXPECT_NE(exportHtml(sample(), CodePage::get(CodePageId::Koi8r), "t").find("charset=koi8-r"), std::string::npos);
}

TEST(StyledExport, RtfEscapesAndCodePages) {
  const std::string rtf = exportRtf(sample(), CodePage::get(CodePageId::Win1251));
  EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi\\ansicpg1251", 0), 0u);
  EXPECT_NE(rtf.find("\\'c6"), std::string::npos);
  EXPECT_NE(rtf.find("\\{x\\}\\\\"), std::string::npos);
  EXPECT_NE(rtf.find("\\par\r\n"), std::string::npos);
  EXPECT_NE(rtf.find("\\red0\\green0\\blue255;"), std::string::npos);
  // A DOS box-drawing character has no Windows-1251 byte: written as Unicode.
  StyledText t;
  t.bytes = "\xC4\xA0";  // ─ and а in DOS 866
  const std::string dos = exportRtf(t, CodePage::get(CodePageId::Cp866));
  EXPECT_NE(dos.find("\\u9472?"), std::string::npos);
  EXPECT_NE(dos.find("\\'e0"), std::string::npos);
}
