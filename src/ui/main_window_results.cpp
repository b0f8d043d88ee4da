// Results that carry on (Use as Matrix A/B, Copy as, Export result...), the
// imports, and the menus that reach them and the operations beyond the
// button grid; the hints of the bottom border.
#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <functional>
#include <memory>
#include <utility>

#include "commands/result_choice.h"
#include "commands/use_result.h"
#include "files/export_file.h"
#include "files/file_kind.h"
#include "files/import_file.h"
#include "quorvix_version.h"
#include "textio/polar_text.h"
#include "ui/hint_line.h"
#include "ui/main_menu.h"
#include "ui/main_window.h"
#include "ui/more_operations_menu.h"
#include "ui/result_menu.h"
#include "ui/result_view.h"

namespace quorvix {

namespace {

constexpr const char* kClipboardName = "clipboard";

// The keys of the newest result's items, which work while the menus are closed.
const QKeySequence kUseAKey(Qt::CTRL | Qt::SHIFT | Qt::Key_A);
const QKeySequence kUseBKey(Qt::CTRL | Qt::SHIFT | Qt::Key_B);
const QKeySequence kCopyTabsKey(Qt::CTRL | Qt::SHIFT | Qt::Key_C);
const QKeySequence kExportKey(Qt::CTRL | Qt::Key_E);

QString KeyText(const QKeySequence& key) { return key.toString(QKeySequence::NativeText); }

// Whether an element of the complex notations is in `text`: an "i" or a
// polar "radius(angle)", which projects in .mtx cannot keep.
bool HoldsComplexElements(const QString& text) {
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    for (const QString& token : text.split(blanks, Qt::SkipEmptyParts)) {
        const std::string element = token.toStdString();
        if (element.find('i') != std::string::npos || SplitPolarToken(element)) return true;
    }
    return false;
}

}  // namespace

void MainWindow::CreateResultMenus() {
    const ResultRequests requests{
        .Use = [this](Operand which, std::size_t number, const std::string& name) { UseAs(which, number, name); },
        .Copy = [this](std::size_t number, const std::string& name,
                       ExportFormat format) { CopyAs(number, name, format); },
        .Export = [this](std::size_t number, const std::string& name) { AskAndExport(number, name); }};
    new ResultBlockMenu(
        result_, result_->Menu(), [this] { return IdleState(); }, requests);

    auto key = [this](const char* name, const QKeySequence& sequence, std::function<void()> run) {
        auto* action = new QAction(this);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(sequence);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, std::move(run));
        addAction(action);
    };
    key("UseNewestAsA", kUseAKey, [this] { UseNewestAs(Operand::A); });
    key("UseNewestAsB", kUseBKey, [this] { UseNewestAs(Operand::B); });
    key("CopyNewestAsTabs", kCopyTabsKey, [this] { CopyNewestAsTabs(); });
    key("ExportNewest", kExportKey, [this] { AskAndExport(std::nullopt, ""); });

    // "Result": the newest result's items, made when it opens.
    auto* resultMenu = new QMenu(QStringLiteral("&Result"), this);
    resultMenu->setObjectName(QStringLiteral("ResultMenu"));
    auto section = std::make_shared<ResultSection>(
        resultMenu, requests,
        ResultKeys{KeyText(kUseAKey), KeyText(kUseBKey), KeyText(kCopyTabsKey), KeyText(kExportKey)});
    connect(resultMenu, &QMenu::aboutToShow, this, [this, section] { section->Fill(IdleState(), std::nullopt); });
    section->Fill(nullptr, std::nullopt);
    menu_->AddMenu(resultMenu, "ResultButton");

    // "Operations": the rows of the operations beyond the grid, and whether
    // answers are checked.
    auto* more = new QMenu(QStringLiteral("&Operations"), this);
    more->setObjectName(QStringLiteral("MoreOperationsMenu"));
    AddOperationItems(more, MoreOperations(),
                      {.Run = [this](const Operation& op) { RunOperation(op); },
                       .ShowHint = [this](const QString& hint) { hints_->ShowItemHint(hint); }});
    if (!more->isEmpty()) more->addSeparator();
    QAction* check = more->addAction(QStringLiteral("Chec&k results"));
    check->setObjectName(QStringLiteral("CheckResults"));
    check->setCheckable(true);
    check->setChecked(runner_.State().CheckResults);
    const QString checkHint = QStringLiteral(
        "Compare each answer with a double-precision computation and say where "
        "they part (for this session)");
    check->setToolTip(checkHint);
    check->setStatusTip(checkHint);
    connect(check, &QAction::hovered, this, [this, checkHint] { hints_->ShowItemHint(checkHint); });
    connect(more, &QMenu::aboutToShow, this, [this, check] {
        if (const CalcState* s = IdleState()) check->setChecked(s->CheckResults);
    });
    connect(check, &QAction::triggered, this, [this, check](bool on) {
        if (CommandRunning())
            check->setChecked(!on);
        else
            runner_.State().CheckResults = on;
    });
    menu_->AddMenu(more, "MoreButton");

    connect(menu_, &MainMenu::ImportAChosen, this, [this] { AskAndImport(Operand::A); });
    connect(menu_, &MainMenu::ImportBChosen, this, [this] { AskAndImport(Operand::B); });
    connect(inputs_, &InputPane::PasteAsMatrixAsked, this, &MainWindow::PasteAsMatrix);
    connect(hints_, &HintLine::PasteAsked, this, &MainWindow::PasteAsMatrix);
    connect(hints_, &HintLine::ImportAsked, this, &MainWindow::AskAndImport);
}

const CalcState* MainWindow::IdleState() { return CommandRunning() ? nullptr : &runner_.State(); }

void MainWindow::UseAs(Operand which, std::optional<std::size_t> number, const std::string& name) {
    // The editor's whole text changes as one step of its undo.
    RunNow([which, number, name](CalcState& s) { UseResult(s, which, number, name); }, PrecisionUse::None);
}

void MainWindow::UseNewestAs(Operand which) {
    const CalcState* s = IdleState();
    if (s == nullptr) return;
    if (s->Kept.empty() || FactorNames(s->Kept.back().Value).empty()) {
        UseAs(which, std::nullopt, "");  // "There is no result to use" when there is none
        return;
    }
    // A factorization: its factors to choose from, where the panel's cursor is.
    const std::size_t number = s->Kept.size();
    QMenu* factors = FactorMenu(this, s->Kept.back(),
                                [this, which, number](const std::string& name) { UseAs(which, number, name); });
    factors->setObjectName(QStringLiteral("FactorMenu"));
    factors->setAttribute(Qt::WA_DeleteOnClose);
    factors->popup(result_->mapToGlobal(result_->cursorRect().center()));
}

void MainWindow::CopyAs(std::optional<std::size_t> number, const std::string& name, ExportFormat format) {
    std::optional<std::string> text;
    RunNow([&text, number, name,
            format](CalcState& s) { text = ExportText(ChooseKeptResult(s, number), name, format, s.Settings); },
           PrecisionUse::None);
    if (text) QGuiApplication::clipboard()->setText(QString::fromStdString(*text));
}

void MainWindow::CopyNewestAsTabs() {
    const CalcState* s = IdleState();
    if (s == nullptr) return;
    if (s->Kept.empty() || FactorNames(s->Kept.back().Value).empty()) {
        CopyAs(std::nullopt, "", ExportFormat::Tsv);
        return;
    }
    const std::size_t number = s->Kept.size();
    QMenu* factors = FactorMenu(this, s->Kept.back(),
                                [this, number](const std::string& name) { CopyAs(number, name, ExportFormat::Tsv); });
    factors->setObjectName(QStringLiteral("FactorMenu"));
    factors->setAttribute(Qt::WA_DeleteOnClose);
    factors->popup(result_->mapToGlobal(result_->cursorRect().center()));
}

void MainWindow::AskAndExport(std::optional<std::size_t> number, const std::string& name) {
    if (CommandRunning()) return;
    if (runner_.State().Kept.empty()) {
        // Nothing to ask a file name for: says so.
        RunNow([](CalcState& s) { ChooseKeptResult(s, std::nullopt); }, PrecisionUse::None);
        return;
    }
    const std::optional<std::string> path = dialogs_.ResultToExport(this);
    if (!path) return;
    RunOnWorker([file = *path, name, number](CalcState& s) { ExportResultFile(s, file, name, number); },
                PrecisionUse::None, {});
}

void MainWindow::AskAndImport(Operand which) {
    if (CommandRunning()) return;
    const std::optional<std::string> path = dialogs_.MatrixToImport(this);
    if (!path) return;
    RunOnWorker([which, file = *path](CalcState& s) { ImportFileIntoEditor(s, which, file); }, PrecisionUse::None, {});
}

void MainWindow::PasteAsMatrix(Operand which) {
    if (CommandRunning()) return;
    const std::string text = QGuiApplication::clipboard()->text().toStdString();
    RunOnWorker([which, text](CalcState& s) { ImportTextIntoEditor(s, which, text, kClipboardName); },
                PrecisionUse::None, {});
}

bool MainWindow::OfferImport(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) return false;  // opening the project says why
    const QByteArray first = file.read(static_cast<qint64>(kFileKindBytes));
    if (FileKindOf(std::string_view(first.constData(), static_cast<std::size_t>(first.size()))) !=
        FileKind::MatrixMarket)
        return false;
    QMessageBox question(QMessageBox::Question, QString::fromLatin1(kProgramName),
                         QStringLiteral("\"%1\" is a Matrix Market file, not a project: import it into Matrix A or B.")
                             .arg(QString::fromStdString(path)),
                         QMessageBox::NoButton, this);
    QPushButton* intoA = question.addButton(QStringLiteral("Into Matrix &A"), QMessageBox::AcceptRole);
    QPushButton* intoB = question.addButton(QStringLiteral("Into Matrix &B"), QMessageBox::AcceptRole);
    QPushButton* cancel = question.addButton(QMessageBox::Cancel);
    question.setDefaultButton(intoA);
    question.setEscapeButton(cancel);
    question.exec();
    const QAbstractButton* chosen = question.clickedButton();
    if (chosen == intoA || chosen == intoB) {
        const Operand which = chosen == intoA ? Operand::A : Operand::B;
        RunOnWorker([which, path](CalcState& s) { ImportFileIntoEditor(s, which, path); }, PrecisionUse::None, {});
    }
    return true;
}

void MainWindow::ShowHints() {
    std::vector<std::string>& hints = runner_.State().Hints;
    if (hints.empty()) return;
    hints_->ShowHint(QString::fromStdString(hints.back()));
    hints.clear();
}

bool MainWindow::TextProjectNeeded() {
    const InputTexts texts = inputs_->Texts();
    return HoldsComplexElements(texts.MatrixA) || HoldsComplexElements(texts.MatrixB);
}

}  // namespace quorvix
