#pragma once
// HelpWindow: the manual in a window of the program's own, so that it opens
// on every machine, with or without a CHM viewer. The pages are the manual's
// HTML compiled into the program (":/manual/"), the very text matrix.chm is
// built from. The contents on the left come from the CHM contents file; the
// page is on the right, with Back, Forward, Contents and a find bar (Ctrl+F)
// that searches every page: the pages with hits are listed under the
// contents, and Enter and F3 go on to the next hit, page after page. Esc
// (the find bar closed) and Ctrl+W close the window.
//
// Links between pages stay in the window; a link to anything else (a web
// page) is handed to the desktop, and a failure says so in an error box.
#include <QUrl>
#include <QWidget>
#include <vector>

#include "ui/manual_search.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;

namespace quorvix {

class HelpWindow : public QWidget {
    Q_OBJECT

public:
    // A window of its own that belongs to `owner` (closed and deleted with it).
    explicit HelpWindow(QWidget* owner = nullptr);

    // The manual's first page.
    static QUrl FirstPage();
    // The help window of `owner`, made on first use, shown in front at
    // `page` (the manual's first page unless told), with the keyboard in it.
    static HelpWindow* ShowFor(QWidget* owner, const QUrl& page = FirstPage());

    void ShowPage(const QUrl& page);
    QUrl CurrentPage() const;

public slots:
    // Shows the find bar with its text selected (Ctrl+F).
    void ShowFindBar();
    // The next or previous place of the find bar's text, from the selection:
    // in this page, then in the next (previous) page that holds it, round
    // the manual once; false (and a red frame) when no page holds it.
    bool FindNext();
    bool FindPrevious();
    // The pages that hold the find bar's text, as listed.
    const std::vector<PageHits>& PagesFound() const { return pagesFound_; }

private:
    void CreateControls();
    void LoadContents();
    void FollowLink(const QUrl& link);
    void MarkContents(const QUrl& page);
    void FindAsTyped();
    bool Find(bool backward, bool fromSelectionStart);
    bool FindInPage(const QString& text, bool backward);
    bool FindInOtherPage(const QString& text, bool backward);
    void SearchAllPages();
    std::vector<QUrl> ContentsPages() const;
    void ShowFound(bool found);
    void HideFindBar();

    QTreeWidget* contents_ = nullptr;
    QTextBrowser* page_ = nullptr;
    QWidget* findBar_ = nullptr;
    QLineEdit* findBox_ = nullptr;
    QLabel* findResult_ = nullptr;
    QListWidget* pagesList_ = nullptr;
    std::vector<PageHits> pagesFound_;
};

// Asks the desktop to open `address` (a web page or a file). When it cannot,
// an error box over `parent` says so, so that the failure is never only a
// line on standard error. Returns whether the desktop took it.
bool OpenAddress(QWidget* parent, const QUrl& address);

}  // namespace quorvix
