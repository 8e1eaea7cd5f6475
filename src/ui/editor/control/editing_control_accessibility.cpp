// The editing library describes every edit to assistive technology: it turns
// each inserted or deleted text into a string and counts characters up to it,
// whether or not any assistive technology listens. Qt creates the editing
// control's accessibility object in any case, so opening a large file paid
// for a conversion of its whole text. While no assistive technology is
// active, editing controls get a plain widget description instead; when one
// becomes active those descriptions are dropped, so that the library's full
// one is created for it.

#include <QAccessible>
#include <QAccessibleWidget>
#include <QSet>

#include "ui/editor/control/editing_control.h"

namespace kiv {

namespace {

// The plain descriptions made so far (Qt owns them and gives them ids).
QSet<QAccessibleInterface*>& plainDescriptions() {
  static QSet<QAccessibleInterface*> made;
  return made;
}

QAccessibleInterface* plainWhileInactive(const QString& key, QObject* object) {
  if (QAccessible::isActive() || key != QLatin1String(EditingControl::staticMetaObject.className())) return nullptr;
  auto* plain = new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::EditableText);
  plainDescriptions().insert(plain);
  // Qt deletes the description with the control.
  QObject::connect(object, &QObject::destroyed, [plain] { plainDescriptions().remove(plain); });
  return plain;
}

class ActivationWatch : public QAccessible::ActivationObserver {
 public:
  void accessibilityActiveChanged(bool active) override {
    if (!active) return;
    const QSet<QAccessibleInterface*> made = std::exchange(plainDescriptions(), {});
    for (QAccessibleInterface* plain : made)
      QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(plain));
  }
};

}  // namespace

void EditingControl::describeSimplyWhileNoOneListens() {
  // The library's own factory is installed by the first control, before this
  // one; the factory installed last is asked first.
  static const bool installed = [] {
    QAccessible::installFactory(plainWhileInactive);
    static ActivationWatch watch;
    QAccessible::installActivationObserver(&watch);
    return true;
  }();
  (void)installed;
  // A description made while the control was being built is the library's.
  if (QAccessible::isActive()) return;
  if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(this))
    if (!plainDescriptions().contains(made)) QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

}  // namespace kiv
