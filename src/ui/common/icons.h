#pragma once
// The tool bar's pictures, drawn by the program itself.

#include <QIcon>
#include <QString>

namespace kiv {

QIcon toolIcon(const QString& name);

}  // namespace kiv
