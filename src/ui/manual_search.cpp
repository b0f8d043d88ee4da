#include "ui/manual_search.h"

#include <QFile>
#include <QSet>
#include <QTextDocument>

namespace quorvix {

namespace {

// ":/manual/window.html" for "qrc:/manual/window.html".
QString ResourcePath(const QUrl& page) { return QLatin1Char(':') + page.path(); }

}  // namespace

PageText ReadPageText(const QUrl& page) {
    QFile file(ResourcePath(page));
    if (!file.open(QIODevice::ReadOnly)) return {};
    QTextDocument document;
    document.setHtml(QString::fromUtf8(file.readAll()));
    return {document.metaInformation(QTextDocument::DocumentTitle), document.toPlainText()};
}

std::vector<PageHits> SearchPages(const std::vector<QUrl>& pages, const QString& text) {
    std::vector<PageHits> found;
    if (text.isEmpty()) return found;
    QSet<QUrl> seen;
    for (const QUrl& entry : pages) {
        const QUrl page = entry.adjusted(QUrl::RemoveFragment);
        if (seen.contains(page)) continue;
        seen.insert(page);
        const PageText shown = ReadPageText(page);
        const int hits = static_cast<int>(shown.Text.count(text, Qt::CaseInsensitive));
        if (hits > 0) found.push_back({page, shown.Title, hits});
    }
    return found;
}

}  // namespace quorvix
