#pragma once
// The eight syntax highlighters of the document window, by display name.

#include <QString>

class QsciLexer;
class QObject;

namespace kiv {

// A new highlighter for a display name of the syntax box ("Delphi", "HTML",
// "C++", "C", "Perl", "Java Script", "VB Script", "SQL"); nullptr for "Нет"
// or an unknown name.
QsciLexer* createHighlighter(const QString& displayName, QObject* parent);

}  // namespace kiv
