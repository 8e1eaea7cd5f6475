#include "ui/editor/control/lexers.h"

#include <Qsci/qscilexercpp.h>
#include <Qsci/qscilexerhtml.h>
#include <Qsci/qscilexerjavascript.h>
#include <Qsci/qscilexerpascal.h>
#include <Qsci/qscilexerperl.h>
#include <Qsci/qscilexersql.h>

#include <QColor>
#include <QFont>

namespace kiv {

namespace {

// C: the C++ lexer with the keywords of C only.
class CLanguageLexer : public QsciLexerCPP {
 public:
  explicit CLanguageLexer(QObject* parent) : QsciLexerCPP(parent, false) {}
  const char* language() const override { return "C"; }
  const char* keywords(int set) const override {
    if (set == 1)
      return "auto break case char const continue default do double else enum extern float for goto if inline "
             "int long register restrict return short signed sizeof static struct switch typedef union unsigned "
             "void volatile while _Bool _Complex _Imaginary";
    return QsciLexerCPP::keywords(set);
  }
};

// VB Script: Scintilla's own "vbscript" lexer (case-insensitive keywords).
class VBScriptLexer : public QsciLexer {
 public:
  explicit VBScriptLexer(QObject* parent) : QsciLexer(parent) {}
  enum { Default = 0, Comment = 1, Number = 2, Keyword = 3, String = 4, Preprocessor = 5, Operator = 6,
         Identifier = 7, Date = 8, UnclosedString = 9 };
  const char* language() const override { return "VB Script"; }
  const char* lexer() const override { return "vbscript"; }
  bool caseSensitive() const override { return false; }
  const char* keywords(int set) const override {
    if (set == 1)
      return "and as byref byval call case class const dim do each else elseif empty end eqv erase error exit "
             "explicit false for function get goto if imp in is let loop me mod new next not nothing null on "
             "option or preserve private property public randomize redim rem resume select set step sub then to "
             "true until wend while with xor";
    return nullptr;
  }
  QString description(int style) const override {
    switch (style) {
      case Default: return QStringLiteral("Default");
      case Comment: return QStringLiteral("Comment");
      case Number: return QStringLiteral("Number");
      case Keyword: return QStringLiteral("Keyword");
      case String: return QStringLiteral("String");
      case Preprocessor: return QStringLiteral("Preprocessor");
      case Operator: return QStringLiteral("Operator");
      case Identifier: return QStringLiteral("Identifier");
      case Date: return QStringLiteral("Date");
      case UnclosedString: return QStringLiteral("Unclosed string");
      default: return QString();
    }
  }
  QColor defaultColor(int style) const override {
    switch (style) {
      case Comment: return QColor(0x00, 0x7f, 0x00);
      case Number: return QColor(0x00, 0x7f, 0x7f);
      case Keyword: return QColor(0x00, 0x00, 0x7f);
      case String:
      case UnclosedString: return QColor(0x7f, 0x00, 0x7f);
      case Preprocessor: return QColor(0x7f, 0x7f, 0x00);
      case Date: return QColor(0x7f, 0x3f, 0x00);
      default: return QColor(0, 0, 0);
    }
  }
  QFont defaultFont(int style) const override {
    QFont f = QsciLexer::defaultFont(style);
    if (style == Keyword) f.setBold(true);
    if (style == Comment) f.setItalic(true);
    return f;
  }
};

}  // namespace

QsciLexer* createHighlighter(const QString& name, QObject* parent) {
  if (name == QLatin1String("Delphi")) return new QsciLexerPascal(parent);
  if (name == QLatin1String("HTML")) return new QsciLexerHTML(parent);
  if (name == QLatin1String("C++")) return new QsciLexerCPP(parent);
  if (name == QLatin1String("C")) return new CLanguageLexer(parent);
  if (name == QLatin1String("Perl")) return new QsciLexerPerl(parent);
  if (name == QLatin1String("Java Script")) return new QsciLexerJavaScript(parent);
  if (name == QLatin1String("VB Script")) return new VBScriptLexer(parent);
  if (name == QLatin1String("SQL")) return new QsciLexerSQL(parent);
  return nullptr;
}

}  // namespace kiv
