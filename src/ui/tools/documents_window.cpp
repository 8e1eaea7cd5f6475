#include "ui/tools/documents_window.h"

#include <QListWidget>
#include <QVBoxLayout>

#include "ui/app/documents_list.h"
#include "ui/app/main_window.h"

namespace kiv {

DocumentsWindow::DocumentsWindow(MainWindow* main) : ToolWindow(main, QStringLiteral("DocumentsWindow"), QStringLiteral("Документы"), true) {
  auto* l = new QVBoxLayout(this);
  l->setContentsMargins(0, 0, 0, 0);
  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("ListBox1"));
  list_->setFrameShape(QFrame::NoFrame);
  l->addWidget(list_);
  const WindowBounds& b = main->config().session.documentsWindow;
  setGeometry(b.left, b.top, std::max(60, b.width), std::max(60, b.height));
  connect(list_, &QListWidget::itemClicked, this, [main](QListWidgetItem* item) {
    main->documentsList().activateItem(item);
  });
}

}  // namespace kiv
