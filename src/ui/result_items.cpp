#include "ui/result_items.h"

#include <QAction>
#include <QMenu>
#include <array>
#include <vector>

#include "commands/result_choice.h"
#include "ui/access_keys.h"

namespace quorvix {

namespace {

constexpr std::array kCopyFormats = {ExportFormat::Tsv,   ExportFormat::Csv,   ExportFormat::Octave,
                                     ExportFormat::Numpy, ExportFormat::Latex, ExportFormat::MatrixMarket,
                                     ExportFormat::Json};

QString WithKey(const char* caption, const QString& key) {
    QString text = QString::fromUtf8(caption);
    if (!key.isEmpty()) text += QLatin1Char('\t') + key;
    return text;
}

QString Dotted(const QString& base, const std::string& part) {
    return part.empty() ? base : base + QLatin1Char('.') + QString::fromStdString(part);
}

QAction* AddItem(QMenu* menu, const QString& caption, const QString& name, std::function<void()> trigger) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    if (trigger) QObject::connect(action, &QAction::triggered, menu, std::move(trigger));
    return action;
}

// A submenu of `kept`'s factors under `caption`, each calling `chosen`.
QMenu* AddFactorSubmenu(QMenu* menu, const QString& caption, const QString& name, const KeptResult& kept,
                        const std::function<void(const std::string&)>& chosen) {
    QMenu* factors = FactorMenu(menu, kept, chosen);
    factors->setTitle(caption);
    factors->setObjectName(name);
    for (QAction* item : factors->actions()) item->setObjectName(Dotted(name, item->data().toString().toStdString()));
    menu->addMenu(factors);
    return factors;
}

}  // namespace

QString CopyFormatCaption(ExportFormat format) {
    switch (format) {
        case ExportFormat::Tsv: return QStringLiteral("&Tab-separated (spreadsheets)");
        case ExportFormat::Csv: return QStringLiteral("&CSV");
        case ExportFormat::Octave: return QStringLiteral("&Octave/MATLAB");
        case ExportFormat::Numpy: return QStringLiteral("&numpy");
        case ExportFormat::Latex: return QStringLiteral("&LaTeX");
        case ExportFormat::MatrixMarket: return QStringLiteral("&Matrix Market");
        case ExportFormat::Json: return QStringLiteral("&JSON");
    }
    return {};
}

QMenu* FactorMenu(QWidget* parent, const KeptResult& kept, const std::function<void(const std::string&)>& chosen) {
    auto* menu = new QMenu(parent);
    AccessKeys keys;
    for (const std::string& name : ChoosableNames(kept.Value)) {
        QAction* item = menu->addAction(keys.Keyed(QString::fromStdString(name)));
        item->setData(QString::fromStdString(name));
        QObject::connect(item, &QAction::triggered, menu, [chosen, name] { chosen(name); });
    }
    return menu;
}

void AddResultItems(QMenu* menu, const KeptResult& kept, std::size_t number, const ResultRequests& requests,
                    const ResultKeys& keys) {
    // A plain result or the eigenvalues of Eig are one matrix; a
    // factorization is chosen factor by factor.
    const bool factors = !FactorNames(kept.Value).empty();
    auto use = [&](Operand which, const char* caption, const QString& key, const QString& name) {
        auto request = [requests, which, number](const std::string& factor) { requests.Use(which, number, factor); };
        if (factors)
            AddFactorSubmenu(menu, QString::fromUtf8(caption), name, kept, request);
        else
            AddItem(menu, WithKey(caption, key), name, [request] { request(""); });
    };
    use(Operand::A, "Use as Matrix &A", keys.UseA, QStringLiteral("UseAsA"));
    use(Operand::B, "Use as Matrix &B", keys.UseB, QStringLiteral("UseAsB"));

    auto* copy = new QMenu(QStringLiteral("&Copy as"), menu);
    copy->setObjectName(QStringLiteral("CopyAs"));
    for (const ExportFormat format : kCopyFormats) {
        const QString name = Dotted(QStringLiteral("CopyAs"), ExportFormatName(format));
        auto request = [requests, number, format](const std::string& factor) { requests.Copy(number, factor, format); };
        // A format of one matrix takes one factor; the others take them all.
        QString caption = CopyFormatCaption(format);
        if (format == ExportFormat::Tsv && !keys.CopyTabs.isEmpty()) caption += QLatin1Char('\t') + keys.CopyTabs;
        if (factors && HoldsOneMatrix(format))
            AddFactorSubmenu(copy, CopyFormatCaption(format), name, kept, request);
        else
            AddItem(copy, caption, name, [request] { request(""); });
    }
    menu->addMenu(copy);

    auto exportRequest = [requests, number](const std::string& factor) { requests.Export(number, factor); };
    if (factors) {
        QMenu* exports = AddFactorSubmenu(menu, QStringLiteral("&Export result"), QStringLiteral("ExportResult"), kept,
                                          exportRequest);
        // All factors at once, for the formats that hold several matrices.
        QAction* all = new QAction(WithKey("All &factors…", keys.Export), exports);
        all->setObjectName(QStringLiteral("ExportResult.all"));
        QObject::connect(all, &QAction::triggered, exports, [exportRequest] { exportRequest(""); });
        exports->insertAction(exports->actions().value(0), all);
    } else {
        AddItem(menu, WithKey("&Export result…", keys.Export), QStringLiteral("ExportResult"),
                [exportRequest] { exportRequest(""); });
    }
}

void AddDisabledResultItems(QMenu* menu, const ResultKeys& keys) {
    const std::vector<std::pair<QString, QString>> items = {
        {WithKey("Use as Matrix &A", keys.UseA), QStringLiteral("UseAsA")},
        {WithKey("Use as Matrix &B", keys.UseB), QStringLiteral("UseAsB")},
        {QStringLiteral("&Copy as"), QStringLiteral("CopyAs")},
        {WithKey("&Export result…", keys.Export), QStringLiteral("ExportResult")}};
    for (const auto& [caption, name] : items) AddItem(menu, caption, name, {})->setEnabled(false);
}

}  // namespace quorvix
