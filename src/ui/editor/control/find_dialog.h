#pragma once
// The editing control's find and replace: the options of the last search
// (one set for the whole program, so F3 repeats it in any document), the
// search itself, and the two Russian dialogs.

#include <QDialog>
#include <QString>

class QCheckBox;
class QComboBox;
class QRadioButton;

namespace kiv {

class EditingControl;

struct SearchOptions {
  QString text;
  QString replacement;
  bool caseSensitive = false;
  bool wholeWords = false;
  bool backward = false;
  bool entireScope = false;  // first search from the start (end) instead of the caret
  bool selectedOnly = false;
  bool prompt = false;  // ask before each replacement
};

// The options of the last search, shared by all documents.
SearchOptions& lastSearch();

// Bytes of text the first step of a search reads from the caret; each
// further step reads twice as much. Tests make it small to put matches
// across the steps' ends.
long& searchStepBytes();

// Searches once from the caret (or from the scope's start when entireScope
// is set) and selects the match. Reports "not found" when told to.
bool findAndSelect(EditingControl* control, const SearchOptions& o, bool reportNotFound = true);
// Replaces the current match (if the selection is one) and finds the next.
bool replaceNext(EditingControl* control, const SearchOptions& o);
// Replaces every match in the scope as one undo step; returns the count.
int replaceAll(EditingControl* control, const SearchOptions& o);

QString notFoundMessage(const QString& text);

class FindDialog : public QDialog {
  Q_OBJECT
 public:
  FindDialog(QWidget* parent, bool withReplace);
  void load(const SearchOptions& o);
  SearchOptions options() const;
  bool replaceAllChosen() const { return replaceAll_; }

 private:
  bool replace_;
  bool replaceAll_ = false;
  QComboBox* find_;
  QComboBox* with_ = nullptr;
  QCheckBox* case_;
  QCheckBox* words_;
  QCheckBox* regex_;
  QCheckBox* prompt_ = nullptr;
  QRadioButton* forward_;
  QRadioButton* backward_;
  QRadioButton* fromCursor_;
  QRadioButton* entire_;
  QRadioButton* global_;
  QRadioButton* selected_;
};

}  // namespace kiv
