#pragma once
// Searching the whole manual: which pages hold a text, and how often, as the
// help window's list of pages with hits shows them.
#include <QString>
#include <QUrl>
#include <vector>

namespace quorvix {

struct PageHits {
    QUrl Page;      // without a fragment
    QString Title;  // the page's <title>
    int Hits = 0;   // places of the text in the page's words, case ignored
};

// The pages among `pages` (in that order, each once, fragments ignored) whose
// text as shown holds `text`. An empty text is found nowhere.
std::vector<PageHits> SearchPages(const std::vector<QUrl>& pages, const QString& text);

// The text a page shows, without its markup ("&lt;" as "<"); its title too.
struct PageText {
    QString Title;
    QString Text;
};
PageText ReadPageText(const QUrl& page);

}  // namespace quorvix
