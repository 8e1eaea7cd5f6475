#pragma once
// The address of a web search for a query.

#include <QString>
#include <QUrl>

namespace kiv {

// https, the engine's search path and the query as the "q" item, encoded
// as UTF-8 and percent-encoded ("&", "#", "+" and letters arrive intact).
QUrl netSearchUrl(const QString& query);

}  // namespace kiv
