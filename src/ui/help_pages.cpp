#include "ui/help_pages.h"

#include <QFile>
#include <QRegularExpression>
#include <QWidget>
#include <string>

#include "commands/operation_table.h"
#include "ui/help_window.h"

namespace quorvix {

namespace {

// The page that names the button with exactly this caption, or empty.
QUrl PageNaming(const QString& caption);

// The pages of the operations, in the manual's order.
constexpr const char* kOperationPages[] = {"op_arithmetic.html", "op_logic.html",   "op_powers.html",
                                           "op_numbers.html",    "op_factors.html", "op_eigen.html"};

QUrl Page(const QString& file, const QString& fragment = QString()) {
    QUrl url = HelpWindow::FirstPage().resolved(QUrl(file));
    if (!fragment.isEmpty()) url.setFragment(fragment);
    return url;
}

// The page for a control by its object name ("ComboBox1", "RichEdit1"); an
// empty name or one of no page gives an empty address.
QUrl PageForName(const QString& name) {
    struct Meant {
        const char* Name;
        const char* File;
    };
    static const Meant kPages[] = {
        {"RichEdit1", "matrices.html"},  {"RichEdit2", "matrices.html"},       {"RichEdit3", "reuse.html"},
        {"Edit1", "op_powers.html"},     {"ComboBox1", "results.html"},        {"PrecisionBox", "results.html"},
        {"RadioGroup1", "results.html"}, {"RadioGroup1Item0", "results.html"}, {"RadioGroup1Item1", "results.html"},
        {"SpeedButton10", "auto.html"},  {"SpeedButton5", "auto.html"},        {"ToolBar2", "window.html"},
        {"SpeedButton3", "files.html"},  {"SpeedButton4", "window.html"},      {"SpeedButton6", "window.html"},
        {"SpeedButton7", "window.html"},
    };
    for (const Meant& meant : kPages)
        if (name == QLatin1String(meant.Name)) return Page(QString::fromLatin1(meant.File));
    const std::string control = name.toStdString();
    for (const Operation& op : Operations())
        if (control == op.Control) return ManualPageForButton(QString::fromLatin1(op.Caption));
    return {};
}

}  // namespace

QUrl ManualPageForButton(const QString& caption) {
    // A button on B is told of with its twin on A where the pages name
    // only that one ("max A" for "max B").
    const QUrl page = PageNaming(caption);
    if (!page.isEmpty() || !caption.contains(QLatin1Char('B'))) return page;
    return PageNaming(QString(caption).replace(QLatin1Char('B'), QLatin1Char('A')));
}

namespace {

QUrl PageNaming(const QString& caption) {
    const QString bold = QStringLiteral("<b>") + caption.toHtmlEscaped() + QStringLiteral("</b>");
    // A section heading: <h2><a name="inverse"></a>inv A: inverse</h2>.
    static const QRegularExpression heading(QStringLiteral(R"re(<h2><a name="([^"]+)"></a>([^<]*)</h2>)re"));
    for (const char* file : kOperationPages) {
        QFile page(QStringLiteral(":/manual/") + QString::fromLatin1(file));
        if (!page.open(QIODevice::ReadOnly)) continue;
        const QString html = QString::fromUtf8(page.readAll());
        if (!html.contains(bold)) continue;
        const QString escaped = caption.toHtmlEscaped();
        // The section whose heading names the button ("inv A: inverse", the
        // caption as a whole word group); else the section of the first
        // mention after the page's opening lines; else the page.
        QString inHeading, ofMention;
        const qsizetype mention = [&] {
            const qsizetype start = html.indexOf(QStringLiteral("<h2><a name="));
            return start < 0 ? -1 : html.indexOf(bold, start);
        }();
        for (auto it = heading.globalMatch(html); it.hasNext() && inHeading.isEmpty();) {
            const QRegularExpressionMatch m = it.next();
            if (mention >= 0 && m.capturedStart() < mention) ofMention = m.captured(1);
            const QString title = m.captured(2);
            const qsizetype at = title.indexOf(escaped);
            if (at < 0) continue;
            const qsizetype end = at + escaped.size();
            const bool starts = at == 0 || !title[at - 1].isLetterOrNumber();
            const bool ends = end == title.size() || !title[end].isLetterOrNumber();
            if (starts && ends) inHeading = m.captured(1);
        }
        return Page(QString::fromLatin1(file), !inHeading.isEmpty() ? inHeading : ofMention);
    }
    return {};
}

}  // namespace

QUrl ManualPageFor(const QWidget* control) {
    // A part without a page of its own (a box's line edit, a viewport) is
    // asked about as the control it belongs to.
    for (const QWidget* w = control; w != nullptr && !w->isWindow(); w = w->parentWidget()) {
        const QUrl page = PageForName(w->objectName());
        if (!page.isEmpty()) return page;
    }
    return HelpWindow::FirstPage();
}

}  // namespace quorvix
