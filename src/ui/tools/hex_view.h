#pragma once
// The hex editor's grid: the offset column, the marker column, two hex
// digit columns per byte in groups, a gap and the character column, for a
// HexDocument of any size. Rows are addressed with 64-bit numbers; the
// vertical scroll bar is scaled when the rows outnumber its range, and
// pixels are only ever counted inside the view.

#include <QAbstractScrollArea>
#include <QColor>
#include <array>
#include <cstdint>
#include <optional>

#include "core/hex/byte_translation.h"
#include "core/hex/hex_document.h"

namespace kiv {

class HexView : public QAbstractScrollArea {
  Q_OBJECT
 public:
  explicit HexView(QWidget* parent = nullptr);

  HexDocument& document() { return doc_; }
  const HexDocument& document() const { return doc_; }
  // After the document was opened, saved or changed from outside.
  void documentReset();

  int bytesPerLine() const { return bytesPerLine_; }
  int bytesPerColumn() const { return bytesPerColumn_; }
  ByteTranslation translation() const { return translation_; }
  // 1 to 256; the caret keeps its byte.
  void setBytesPerLine(int n);
  // 1 or more.
  void setBytesPerColumn(int n);
  void setTranslation(ByteTranslation t);

  std::uint64_t caret() const { return caret_; }
  bool caretInCharacters() const { return inCharacters_; }
  bool caretOnLowDigit() const { return lowDigit_; }
  void setCaret(std::uint64_t offset, bool inCharacters = false);
  // The selected bytes [first, last], when there is a selection.
  std::optional<std::pair<std::uint64_t, std::uint64_t>> selection() const;
  void select(std::uint64_t first, std::uint64_t last);

  std::uint64_t rowCount() const;
  std::uint64_t topRow() const { return topRow_; }
  void scrollToRow(std::uint64_t row);
  int visibleRows() const;
  std::optional<std::uint64_t> marker(int digit) const { return markers_[static_cast<std::size_t>(digit)]; }

  // Ctrl+Delete: removes the selection, or the byte under the caret.
  void deleteSelection();
  // Moves the caret to the first byte of a match; false when none.
  bool find(std::string_view pattern, std::int64_t from, std::int64_t to, bool ignoreCase);

  // Layout, for tests and painting.
  int charWidth() const { return charWidth_; }
  int rowHeight() const { return rowHeight_; }
  QString offsetText(std::uint64_t row) const;

  // Colours of the grid.
  struct Colors {
    QColor offset{Qt::black};
    QColor oddColumn{0, 0, 255};
    QColor evenColumn{0, 0, 128};
    QColor changedBackground{255, 255, 168};
    QColor changedText{128, 0, 0};
    QColor positionBackground{128, 0, 0};
    QColor positionText{Qt::white};
    QColor cursorFrame{0, 0, 128};
  };

 signals:
  void caretMoved();
  void modifiedChanged();

 protected:
  bool event(QEvent* e) override;
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  void scrollContentsBy(int dx, int dy) override;
  bool focusNextPrevChild(bool next) override;

 private:
  void updateMetrics();
  void updateScrollBars();
  void ensureCaretVisible();
  void moveCaret(std::int64_t bytes, bool lowDigit, bool extend);
  void moveCaretTo(std::uint64_t offset, bool lowDigit, bool extend);
  void typeText(const QString& text);
  // The keys the grid handles itself, before any shortcut of the program.
  static bool isGridKey(const QKeyEvent* e);
  std::uint64_t lastOffset() const;
  int offsetDigits() const;
  int fixedWidth() const;
  int hexAreaWidth() const;
  int dataWidth() const;
  int hexX(int index) const;   // the byte's first digit, from the data area's left edge
  int charX(int index) const;
  // The byte and area under a point of the viewport.
  std::optional<std::pair<std::uint64_t, bool>> hitTest(const QPoint& p, bool* low) const;
  void showError(const QString& text);

  HexDocument doc_;
  int bytesPerLine_ = 16;
  int bytesPerColumn_ = 2;
  ByteTranslation translation_ = ByteTranslation::Ansi;
  char maskChar_ = '.';
  std::array<std::optional<std::uint64_t>, 10> markers_;
  std::uint64_t caret_ = 0;
  bool inCharacters_ = false;
  bool lowDigit_ = false;
  std::optional<std::uint64_t> anchor_;
  std::optional<std::uint64_t> pressed_;
  std::uint64_t topRow_ = 0;
  bool settingScrollBar_ = false;
  int charWidth_ = 8;
  int rowHeight_ = 16;
  Colors colors_;
};

}  // namespace kiv
