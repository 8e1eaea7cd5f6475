#include "ui/html/net_search.h"

#include <QUrlQuery>

namespace kiv {

QUrl netSearchUrl(const QString& query) {
  QUrl url;
  url.setScheme(QStringLiteral("https"));
  url.setHost(QStringLiteral("www.google.com"));
  url.setPath(QStringLiteral("/search"));
  QUrlQuery items;
  // Encoded here: a query object leaves "+", "&" and "#" in a value as
  // they are, and a search engine reads them as delimiters.
  // An empty query still gives "q=" (a null value would drop the "=").
  const QString value = query.isEmpty() ? QStringLiteral("") : QString::fromLatin1(QUrl::toPercentEncoding(query));
  items.addQueryItem(QStringLiteral("q"), value);
  url.setQuery(items);
  return url;
}

}  // namespace kiv
