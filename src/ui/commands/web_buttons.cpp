#include "ui/commands/web_buttons.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTimer>
#include <QToolButton>
#include <QWidget>

#include "ui/app/main_window.h"
#include "ui/commands/handlers.h"

namespace kiv {

namespace {

template <const char* Button>
void wrap(MainWindow& main) {
  cmd::wrapWithTagPair(main, Button);
}

constexpr char kLink[] = "bbLink";
constexpr char kTd[] = "bbTD";
constexpr char kTr[] = "bbTR";
constexpr char kBold[] = "BitBtn5";
constexpr char kItalic[] = "bbItalic";
constexpr char kPara[] = "bbPara";
constexpr char kCenter[] = "bbCenter";
constexpr char kLi[] = "bbLi";
constexpr char kComment[] = "bbComment";

const WebButton kWebButtons[] = {
    {"bbLink", &wrap<kLink>, nullptr, false},
    {"bbFont", &cmd::wrapInFont, &cmd::insertEmptyFontTag, false},
    {"bbColor", &cmd::insertColor, &cmd::insertWebSafeColor, false},
    {"bbImage", &cmd::insertImageTag, &cmd::insertEmptyImageTag, false},
    {"bbTable", &cmd::tableWizard, &cmd::tableWizard, true},
    {"bbDefaultTemplate", &cmd::insertHtmlSkeleton, nullptr, false},
    {"bbTD", &wrap<kTd>, nullptr, false},
    {"bbTR", &wrap<kTr>, nullptr, false},
    {"bbBR", &cmd::insertLineBreakTag, nullptr, false},
    {"bbItalic", &wrap<kItalic>, nullptr, false},
    {"bbPara", &wrap<kPara>, nullptr, false},
    {"BitBtn5", &wrap<kBold>, nullptr, false},
    {"bbCenter", &wrap<kCenter>, nullptr, false},
    {"bbLi", &wrap<kLi>, nullptr, false},
    {"bbComment", &wrap<kComment>, nullptr, false},
};

// Presses that a click does not report: the right button, and Shift with
// any button where Shift asks for the right action. The press is taken so
// that no click follows it; the action runs when the button is released
// over the tool button, so that a dialog it opens gets the mouse whole.
class WebButtonPresses : public QObject {
 public:
  WebButtonPresses(MainWindow& main, const WebButton& actions, QObject* parent)
      : QObject(parent), main_(main), actions_(actions) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    const auto type = e->type();
    // The right button is the button's own: no tool bar menu pops up.
    if (type == QEvent::ContextMenu) return true;
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick && type != QEvent::MouseButtonRelease)
      return QObject::eventFilter(watched, e);
    auto* me = static_cast<QMouseEvent*>(e);
    if (type == QEvent::MouseButtonRelease) {
      if (!pressed_ || me->button() != pressedButton_) return QObject::eventFilter(watched, e);
      pressed_ = false;
      auto* w = static_cast<QWidget*>(watched);
      // Run once the release is handled: a dialog that the action opens
      // then starts with no button held.
      if (w->rect().contains(me->position().toPoint()) && actions_.right)
        QTimer::singleShot(0, &main_, [main = &main_, run = actions_.right] { run(*main); });
      return true;
    }
    const bool right = me->button() == Qt::RightButton;
    const bool shifted = actions_.shiftMeansRight && (me->modifiers() & Qt::ShiftModifier);
    if (!right && !shifted) return QObject::eventFilter(watched, e);
    pressed_ = true;
    pressedButton_ = me->button();
    return true;
  }

 private:
  MainWindow& main_;
  const WebButton& actions_;
  bool pressed_ = false;
  Qt::MouseButton pressedButton_ = Qt::NoButton;
};

}  // namespace

const WebButton* findWebButton(std::string_view component) {
  for (const auto& b : kWebButtons)
    if (component == b.component) return &b;
  return nullptr;
}

void attachWebButton(MainWindow& main, QToolButton* button, const WebButton& actions) {
  QObject::connect(button, &QToolButton::clicked, &main, [&main, &actions] { actions.left(main); });
  button->setContextMenuPolicy(Qt::PreventContextMenu);
  button->installEventFilter(new WebButtonPresses(main, actions, button));
}

}  // namespace kiv
