#include "ui/help_window.h"

#include <QAction>
#include <QDesktopServices>
#include <QEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSplitter>
#include <QStyle>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>
#include <functional>
#include <utility>
#include <vector>

#include "quorvix_version.h"
#include "ui/skin.h"

namespace quorvix {

namespace {

constexpr const char* kManualRoot = "qrc:/manual/";
constexpr int kPageRole = Qt::UserRole;

// A value of the contents file as plain text ("&amp;" as "&").
QString PlainValue(const QString& html) { return QTextDocumentFragment::fromHtml(html).toPlainText(); }

// Filters the find box's keys: Enter finds the next place, Shift+Enter the
// previous one, Esc closes the bar.
class FindKeys : public QObject {
public:
    FindKeys(HelpWindow* help, std::function<void()> hide) : QObject(help), help_(help), hide_(std::move(hide)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // Esc in the box closes the bar, not the window: the box takes the
        // key before the window's shortcut does.
        if (event->type() == QEvent::ShortcutOverride && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            event->accept();
            return true;
        }
        if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (key->modifiers() & Qt::ShiftModifier)
                help_->FindPrevious();
            else
                help_->FindNext();
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            hide_();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    HelpWindow* help_;
    std::function<void()> hide_;
};

}  // namespace

HelpWindow::HelpWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QString::fromLatin1(kProgramTitle) + QStringLiteral(" Manual"));
    setWindowIcon(ApplicationIcon());
    if (owner == nullptr) setAttribute(Qt::WA_DeleteOnClose);
    resize(980, 680);
    CreateControls();
    LoadContents();
    ShowPage(FirstPage());
}

QUrl HelpWindow::FirstPage() { return QUrl(QString::fromLatin1(kManualRoot) + QStringLiteral("index.html")); }

HelpWindow* HelpWindow::ShowFor(QWidget* owner, const QUrl& page) {
    HelpWindow* help =
        owner != nullptr ? owner->findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    if (help == nullptr) help = new HelpWindow(owner);
    help->ShowPage(page);
    help->show();
    help->raise();
    help->activateWindow();
    // The keys typed next (Ctrl+F, the arrows, Esc) are the manual's.
    help->page_->setFocus(Qt::ActiveWindowFocusReason);
    return help;
}

void HelpWindow::CreateControls() {
    // The commands, each with its key, in the window and on the buttons above the page.
    auto command = [this](const char* name, const QString& text, QStyle::StandardPixmap icon, QKeySequence key,
                          auto slot) {
        auto* action = new QAction(style()->standardIcon(icon), text, this);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(key);
        action->setShortcutContext(Qt::WindowShortcut);
        action->setToolTip(QStringLiteral("%1 (%2)").arg(text, key.toString(QKeySequence::NativeText)));
        connect(action, &QAction::triggered, this, slot);
        addAction(action);
        auto* button = new QToolButton(this);
        button->setObjectName(QString::fromLatin1(name) + QStringLiteral("Button"));
        button->setDefaultAction(action);
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setAutoRaise(true);
        return button;
    };
    QToolButton* backButton = command("back", QStringLiteral("Back"), QStyle::SP_ArrowBack, QKeySequence::Back,
                                      [this] { page_->backward(); });
    QToolButton* forwardButton = command("forward", QStringLiteral("Forward"), QStyle::SP_ArrowForward,
                                         QKeySequence::Forward, [this] { page_->forward(); });
    QToolButton* contentsButton = command("contents", QStringLiteral("Contents"), QStyle::SP_DirHomeIcon,
                                          QKeySequence(Qt::ALT | Qt::Key_Home), [this] { ShowPage(FirstPage()); });
    QToolButton* findButton = command("find", QStringLiteral("Find"), QStyle::SP_FileDialogContentsView,
                                      QKeySequence::Find, [this] { ShowFindBar(); });
    // Esc and Ctrl+W close the manual (Esc in the find box closes the bar first).
    auto* closeWindow = new QAction(QStringLiteral("Close"), this);
    closeWindow->setObjectName(QStringLiteral("closeManual"));
    closeWindow->setShortcuts({QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)});
    closeWindow->setShortcutContext(Qt::WindowShortcut);
    connect(closeWindow, &QAction::triggered, this, &QWidget::close);
    addAction(closeWindow);
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(4, 2, 4, 2);
    for (QToolButton* button : {backButton, forwardButton, contentsButton, findButton}) buttons->addWidget(button);
    buttons->addStretch();

    contents_ = new QTreeWidget(this);
    contents_->setObjectName(QStringLiteral("contents"));
    contents_->setHeaderHidden(true);
    contents_->setColumnCount(1);
    contents_->setMinimumWidth(200);
    page_ = new QTextBrowser(this);
    page_->setObjectName(QStringLiteral("page"));
    // Links are followed here, so that only pages of the manual open in the window.
    page_->setOpenLinks(false);
    // The pages' own style sheet, also where the page's link to it is not followed.
    QFile sheet(QStringLiteral(":/manual/style.css"));
    if (sheet.open(QIODevice::ReadOnly)) page_->document()->setDefaultStyleSheet(QString::fromUtf8(sheet.readAll()));
    connect(page_, &QTextBrowser::anchorClicked, this, &HelpWindow::FollowLink);
    connect(page_, &QTextBrowser::sourceChanged, this, &HelpWindow::MarkContents);
    connect(page_, &QTextBrowser::backwardAvailable, backButton->defaultAction(), &QAction::setEnabled);
    connect(page_, &QTextBrowser::forwardAvailable, forwardButton->defaultAction(), &QAction::setEnabled);
    backButton->defaultAction()->setEnabled(false);
    forwardButton->defaultAction()->setEnabled(false);
    connect(contents_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item != nullptr) ShowPage(item->data(0, kPageRole).toUrl());
    });
    // Under the contents, the pages that hold the find bar's text.
    pagesList_ = new QListWidget(this);
    pagesList_->setObjectName(QStringLiteral("pagesFound"));
    pagesList_->hide();
    connect(pagesList_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        const int row = pagesList_->row(item);
        if (row < 0 || row >= static_cast<int>(pagesFound_.size())) return;
        ShowPage(pagesFound_[static_cast<std::size_t>(row)].Page);
        page_->setTextCursor(QTextCursor(page_->document()));
        FindNext();
    });
    auto* left = new QSplitter(Qt::Vertical, this);
    left->addWidget(contents_);
    left->addWidget(pagesList_);
    left->setStretchFactor(0, 2);
    left->setStretchFactor(1, 1);
    auto* splitter = new QSplitter(this);
    splitter->addWidget(left);
    splitter->addWidget(page_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({290, 690});

    findBar_ = new QWidget(this);
    findBar_->setObjectName(QStringLiteral("findBar"));
    findBox_ = new QLineEdit(findBar_);
    findBox_->setObjectName(QStringLiteral("findBox"));
    findBox_->setPlaceholderText(QStringLiteral("Find in all pages"));
    findBox_->setClearButtonEnabled(true);
    findBox_->installEventFilter(new FindKeys(this, [this] { HideFindBar(); }));
    connect(findBox_, &QLineEdit::textEdited, this, &HelpWindow::FindAsTyped);
    auto* next = new QToolButton(findBar_);
    next->setText(QStringLiteral("Next"));
    connect(next, &QToolButton::clicked, this, &HelpWindow::FindNext);
    auto* previous = new QToolButton(findBar_);
    previous->setText(QStringLiteral("Previous"));
    connect(previous, &QToolButton::clicked, this, &HelpWindow::FindPrevious);
    auto* close = new QToolButton(findBar_);
    close->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    close->setToolTip(QStringLiteral("Close the find bar (Esc)"));
    close->setAutoRaise(true);
    connect(close, &QToolButton::clicked, this, &HelpWindow::HideFindBar);
    findResult_ = new QLabel(findBar_);
    findResult_->setObjectName(QStringLiteral("findResult"));
    auto* findRow = new QHBoxLayout(findBar_);
    findRow->setContentsMargins(4, 2, 4, 2);
    findRow->addWidget(new QLabel(QStringLiteral("Find:"), findBar_));
    findRow->addWidget(findBox_, 1);
    findRow->addWidget(next);
    findRow->addWidget(previous);
    findRow->addWidget(findResult_);
    findRow->addWidget(close);
    findBar_->hide();
    // F3 and Shift+F3 go on searching once the bar has a text.
    auto* again = new QAction(this);
    again->setShortcut(QKeySequence::FindNext);
    connect(again, &QAction::triggered, this, [this] {
        if (!findBox_->text().isEmpty()) FindNext();
    });
    addAction(again);
    auto* back = new QAction(this);
    back->setShortcut(QKeySequence::FindPrevious);
    connect(back, &QAction::triggered, this, [this] {
        if (!findBox_->text().isEmpty()) FindPrevious();
    });
    addAction(back);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(buttons);
    layout->addWidget(splitter, 1);
    layout->addWidget(findBar_);
}

void HelpWindow::LoadContents() {
    // The contents file is a tree of lists: each <ul> opens the children of
    // the entry before it, and each entry names its page ("Local").
    QFile file(QStringLiteral(":/manual/toc.hhc"));
    if (!file.open(QIODevice::ReadOnly)) return;
    const QString text = QString::fromUtf8(file.readAll());
    static const QRegularExpression piece(
        QStringLiteral(R"re(<ul>|</ul>|<object\s+type="text/sitemap">(.*?)</object>)re"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression param(QStringLiteral(R"re(<param\s+name="(\w+)"\s+value="([^"]*)")re"),
                                          QRegularExpression::CaseInsensitiveOption);
    std::vector<QTreeWidgetItem*> parents{nullptr};
    QTreeWidgetItem* last = nullptr;
    for (auto it = piece.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QString tag = m.captured(0).left(4).toLower();
        if (tag == QStringLiteral("<ul>")) {
            parents.push_back(last);
        } else if (tag == QStringLiteral("</ul")) {
            if (parents.size() > 1) parents.pop_back();
        } else {
            QString name, local;
            for (auto p = param.globalMatch(m.captured(1)); p.hasNext();) {
                const QRegularExpressionMatch pm = p.next();
                if (pm.captured(1).compare(QStringLiteral("Name"), Qt::CaseInsensitive) == 0)
                    name = PlainValue(pm.captured(2));
                else if (pm.captured(1).compare(QStringLiteral("Local"), Qt::CaseInsensitive) == 0)
                    local = pm.captured(2);
            }
            if (name.isEmpty() || local.isEmpty()) continue;
            QTreeWidgetItem* parent = parents.back();
            last = parent != nullptr ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(contents_);
            last->setText(0, name);
            last->setToolTip(0, name);
            last->setData(0, kPageRole, QUrl(QString::fromLatin1(kManualRoot) + local));
        }
    }
    contents_->expandAll();
}

void HelpWindow::ShowPage(const QUrl& page) {
    if (page.isValid() && page != page_->source()) page_->setSource(page);
}

QUrl HelpWindow::CurrentPage() const { return page_->source(); }

void HelpWindow::FollowLink(const QUrl& link) {
    const QUrl target = page_->source().resolved(link);
    if (target.scheme() == QStringLiteral("qrc"))
        ShowPage(target);
    else
        OpenAddress(this, target);
}

void HelpWindow::MarkContents(const QUrl& page) {
    // The entry of the page shown, or of its page when a section has none.
    QTreeWidgetItem* match = nullptr;
    for (QTreeWidgetItemIterator it(contents_); *it != nullptr && match == nullptr; ++it) {
        const QUrl entry = (*it)->data(0, kPageRole).toUrl();
        if (entry == page) match = *it;
    }
    for (QTreeWidgetItemIterator it(contents_); *it != nullptr && match == nullptr; ++it) {
        const QUrl entry = (*it)->data(0, kPageRole).toUrl();
        if (entry.matches(page, QUrl::RemoveFragment) && !entry.hasFragment()) match = *it;
    }
    const QSignalBlocker quiet(contents_);
    contents_->setCurrentItem(match);
}

void HelpWindow::ShowFindBar() {
    findBar_->show();
    findBox_->setFocus(Qt::ShortcutFocusReason);
    findBox_->selectAll();
}

void HelpWindow::HideFindBar() {
    findBar_->hide();
    ShowFound(true);
    page_->setFocus();
}

bool HelpWindow::FindNext() { return Find(false, false); }

bool HelpWindow::FindPrevious() { return Find(true, false); }

void HelpWindow::FindAsTyped() {
    SearchAllPages();
    // While typing, the place found grows with the text rather than moving on.
    Find(false, true);
}

std::vector<QUrl> HelpWindow::ContentsPages() const {
    std::vector<QUrl> pages;
    for (QTreeWidgetItemIterator it(contents_); *it != nullptr; ++it)
        pages.push_back((*it)->data(0, kPageRole).toUrl());
    return pages;
}

void HelpWindow::SearchAllPages() {
    pagesFound_ = SearchPages(ContentsPages(), findBox_->text());
    pagesList_->clear();
    for (const PageHits& hits : pagesFound_)
        pagesList_->addItem(QStringLiteral("%1 (%2)").arg(hits.Title).arg(hits.Hits));
    pagesList_->setVisible(!findBox_->text().isEmpty());
}

bool HelpWindow::Find(bool backward, bool fromSelectionStart) {
    const QString text = findBox_->text();
    QTextCursor before = page_->textCursor();
    if (text.isEmpty()) {
        before.clearSelection();
        page_->setTextCursor(before);
        ShowFound(true);
        return false;
    }
    if (fromSelectionStart) {
        QTextCursor start = before;
        start.setPosition(before.selectionStart());
        page_->setTextCursor(start);
    }
    const bool found = FindInPage(text, backward) || FindInOtherPage(text, backward);
    if (!found) {
        // Nothing is marked, and the next search starts where this one did.
        before.setPosition(before.selectionStart());
        page_->setTextCursor(before);
    }
    ShowFound(found);
    return found;
}

bool HelpWindow::FindInPage(const QString& text, bool backward) {
    return page_->find(text, backward ? QTextDocument::FindBackward : QTextDocument::FindFlags());
}

bool HelpWindow::FindInOtherPage(const QString& text, bool backward) {
    // The pages with hits after (before) this one, round the manual and
    // back to this page's own first (last) hit.
    if (pagesFound_.empty()) return false;
    const QUrl here = page_->source().adjusted(QUrl::RemoveFragment);
    const std::vector<QUrl> order = ContentsPages();
    std::size_t at = 0;
    while (at < order.size() && order[at].adjusted(QUrl::RemoveFragment) != here) ++at;
    // The contents' place of each page found, to start from the next one.
    auto place = [&](const QUrl& page) {
        std::size_t i = 0;
        while (i < order.size() && order[i].adjusted(QUrl::RemoveFragment) != page) ++i;
        return i;
    };
    const std::size_t n = pagesFound_.size();
    std::size_t first = 0;
    if (backward) {
        first = n - 1;
        for (std::size_t i = n; i-- > 0;)
            if (place(pagesFound_[i].Page) < at) {
                first = i;
                break;
            }
    } else {
        for (std::size_t i = 0; i < n; ++i)
            if (place(pagesFound_[i].Page) > at) {
                first = i;
                break;
            }
    }
    for (std::size_t k = 0; k < n; ++k) {
        const std::size_t i = backward ? (first + n - k) % n : (first + k) % n;
        ShowPage(pagesFound_[i].Page);
        QTextCursor start(page_->document());
        start.movePosition(backward ? QTextCursor::End : QTextCursor::Start);
        page_->setTextCursor(start);
        if (FindInPage(text, backward)) {
            pagesList_->setCurrentRow(static_cast<int>(i));
            return true;
        }
    }
    return false;
}

void HelpWindow::ShowFound(bool found) {
    findBox_->setStyleSheet(found ? QString() : QStringLiteral("QLineEdit { border: 2px solid #c0392b; }"));
    findResult_->setText(found ? QString() : QStringLiteral("Not found"));
}

bool OpenAddress(QWidget* parent, const QUrl& address) {
    if (QDesktopServices::openUrl(address)) return true;
    QMessageBox::critical(
        parent, QString::fromLatin1(kProgramName),
        QStringLiteral("Cannot open \"%1\". No program on this computer opens it.").arg(address.toDisplayString()));
    return false;
}

}  // namespace quorvix
