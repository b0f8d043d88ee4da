#include "ui/input_pane.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTextBlock>
#include <QTextCursor>
#include <algorithm>
#include <optional>
#include <string>

#include "commands/editor_tools.h"
#include "textio/matrix_reader.h"
#include "ui/control_look.h"
#include "ui/editor_menu.h"
#include "ui/editor_text.h"
#include "ui/focus_widgets.h"
#include "ui/precision_box.h"

namespace quorvix {

namespace {

// The pane's top left on the panel; the places below are the panel's.
constexpr QPoint kOrigin(8, 64);
constexpr int kDesignHeight = 497;

QRect OnPanel(int left, int top, int width, int height) { return QRect(left, top, width, height).translated(-kOrigin); }

TabTypingEditor* MatrixEditor(QWidget* parent, const char* name, QRect geometry) {
    auto* editor = Named(new TabTypingEditor(parent), name);
    SetUpTextEditor(editor, geometry);
    return editor;
}

}  // namespace

InputPane::InputPane(QWidget* panel) : QWidget(panel) {
    setObjectName(QStringLiteral("InputPane"));
    setGeometry(QRect(kOrigin, QSize(204, kDesignHeight)));
    Picture(this, "Image4", OnPanel(8, 64, 200, 27), QStringLiteral("Image4.jpg"));
    Picture(this, "Image6", OnPanel(8, 256, 200, 27), QStringLiteral("Image6.jpg"));
    Picture(this, "Image8", OnPanel(112, 456, 100, 27), QStringLiteral("Image8.jpg"));
    Picture(this, "Image11", OnPanel(110, 512, 100, 27), QStringLiteral("Image11.jpg"));
    matrixA_ = MatrixEditor(this, "RichEdit1", OnPanel(8, 88, 201, 161));
    matrixB_ = MatrixEditor(this, "RichEdit2", OnPanel(8, 280, 201, 169));
    for (TabTypingEditor* editor : {matrixA_, matrixB_})
        connect(editor, &TabTypingEditor::FirstTabTyped, this, &InputPane::FirstTabTyped);

    x_ = Named(new QLineEdit(this), "Edit1");
    x_->setGeometry(OnPanel(112, 480, 98, 24));
    x_->setText(QStringLiteral("1"));
    x_->setToolTip(QStringLiteral("Coefficient X"));

    precision_ = new PrecisionBox(this, OnPanel(112, 538, 97, 21));

    auto* formats = Named(new QGroupBox(QStringLiteral("Complex Format"), this), "RadioGroup1");
    formats->setGeometry(OnPanel(8, 456, 97, 105));
    formats->setToolTip(QStringLiteral("Rectangular: a+bi   Polar: Radius(degrees)       "));
    rectangular_ = Named(new QRadioButton(QStringLiteral("Rectangular"), formats), "RadioGroup1Item0");
    rectangular_->setGeometry(8, 24, 86, 20);
    polar_ = Named(new QRadioButton(QStringLiteral("polar"), formats), "RadioGroup1Item1");
    polar_->setGeometry(8, 52, 86, 20);
    rectangular_->setChecked(true);
    auto* group = new QButtonGroup(formats);
    group->addButton(rectangular_, 0);
    group->addButton(polar_, 1);
    connect(group, &QButtonGroup::idClicked, this, [this](int) {
        emit FormatChosen(polar_->isChecked() ? ComplexFormat::Polar : ComplexFormat::Rectangular);
    });
    AddMenus();
    for (QObject* child : children())
        if (auto* control = qobject_cast<QWidget*>(child)) places_.emplace_back(control, control->geometry());
}

void InputPane::Stretch(int extra) {
    extra = std::max(extra, 0);
    const int toA = extra / 2;
    const int bottomOfA = OnPanel(8, 88, 201, 161).bottom();
    const int bottomOfB = OnPanel(8, 280, 201, 169).bottom();
    for (const auto& [control, place] : places_) {
        QRect at = place;
        if (control == matrixA_) {
            at.setHeight(place.height() + toA);
        } else if (control == matrixB_) {
            at.translate(0, toA);
            at.setHeight(place.height() + extra - toA);
        } else if (place.top() > bottomOfB) {
            at.translate(0, extra);
        } else if (place.top() > bottomOfA) {
            at.translate(0, toA);
        }
        control->setGeometry(at);
    }
    resize(width(), kDesignHeight + extra);
}

void InputPane::AddMenus() {
    auto rewrite = [this](CommandRunner::Job job, PrecisionUse precision) {
        return [this, job = std::move(job), precision] { emit RewriteAsked(job, precision); };
    };
    // Each editor rewrites its matrix between the two notations; the
    // rewrites of numbers take the precision first, Clear does not need it.
    auto add = [&](TabTypingEditor* editor, Operand matrix, Editor which, const EditorMenuNames& names,
                   const char* toRectName, const char* toPolarName, const char* pasteName) {
        AddEditorMenu(editor, names,
                      {{pasteName, "Paste as &matrix", [this, matrix] { emit PasteAsMatrixAsked(matrix); }},
                       {},
                       {toRectName, "Polar To Rect",
                        rewrite([matrix](CalcState& s) { PolarToRect(s, matrix); }, PrecisionUse::Apply)},
                       {toPolarName, "Rect to Polar",
                        rewrite([matrix](CalcState& s) { RectToPolar(s, matrix); }, PrecisionUse::Apply)}},
                      rewrite([which](CalcState& s) { ClearEditor(s, which); }, PrecisionUse::None),
                      rewrite([which](CalcState& s) { AlignEditor(s, which); }, PrecisionUse::Apply));
    };
    add(matrixA_, Operand::A, Editor::MatrixA,
        {"PopupMenu1", "Undo1", "Copy1", "Paste1", "Clear3", "Align1", "NextField1"}, "PolarToRect1", "RecttoPolar1",
        "PasteAsMatrix1");
    add(matrixB_, Operand::B, Editor::MatrixB,
        {"PopupMenu2", "Undo2", "MenuItem1", "MenuItem2", "MenuItem4", "Align2", "NextField2"}, "PolarToRect2",
        "RecttoPolar2", "PasteAsMatrix2");
}

std::vector<QPlainTextEdit*> InputPane::Editors() const { return {matrixA_, matrixB_}; }

InputTexts InputPane::Texts() const { return {matrixA_->toPlainText(), matrixB_->toPlainText(), x_->text()}; }

void InputPane::Read(CalcState& s) {
    s.MatrixA = shownA_ = LinesOf(matrixA_);
    s.MatrixB = shownB_ = LinesOf(matrixB_);
    s.X = x_->text().toStdString();
}

void InputPane::Show(const CalcState& s) {
    if (s.MatrixA != shownA_) ReplaceText(matrixA_, TextOf(s.MatrixA));
    if (s.MatrixB != shownB_) ReplaceText(matrixB_, TextOf(s.MatrixB));
    shownA_ = s.MatrixA;
    shownB_ = s.MatrixB;
    const QString x = QString::fromStdString(s.X);
    if (x_->text() != x) {
        x_->selectAll();
        x_->insert(x);
    }
    ShowFormat(s.Settings.Format);
}

void InputPane::ShowFormat(ComplexFormat format) {
    QRadioButton* button = format == ComplexFormat::Polar ? polar_ : rectangular_;
    if (!button->isChecked()) button->setChecked(true);
}

void InputPane::ForgetUndo() {
    for (QPlainTextEdit* editor : {matrixA_, matrixB_}) editor->document()->clearUndoRedoStacks();
}

void InputPane::ShowPlace(const ErrorPlace& place) {
    if (place.Editor == ErrorEditor::X) {
        x_->setFocus(Qt::OtherFocusReason);
        x_->selectAll();
        return;
    }
    QPlainTextEdit* editor = place.Editor == ErrorEditor::A ? matrixA_ : matrixB_;
    const QTextBlock block = editor->document()->findBlockByNumber(place.Line - 1);
    if (!block.isValid()) return;
    const QString text = block.text();
    const std::string line = text.toStdString();
    const std::optional<TokenExtent> token = FindToken(line, place.Element);
    // The reader counts bytes of UTF-8; the editor counts UTF-16 units.
    auto at = [&](std::size_t bytes) {
        return block.position() +
               static_cast<int>(QString::fromUtf8(line.data(), static_cast<qsizetype>(bytes)).size());
    };
    const int begin = token ? at(token->Begin) : block.position();
    const int end = token ? at(token->End) : block.position() + static_cast<int>(text.size());
    // Scrolled so that the token's end and then its start are in view.
    QTextCursor cursor(editor->document());
    cursor.setPosition(begin);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    editor->setTextCursor(cursor);
    editor->ensureCursorVisible();
    cursor.setPosition(end);
    cursor.setPosition(begin, QTextCursor::KeepAnchor);
    editor->setTextCursor(cursor);
    editor->ensureCursorVisible();
    editor->setFocus(Qt::OtherFocusReason);
}

void InputPane::SetLocked(bool locked) {
    matrixA_->setReadOnly(locked);
    matrixB_->setReadOnly(locked);
    x_->setReadOnly(locked);
    precision_->SetLocked(locked);
}

std::vector<QWidget*> InputPane::FocusChain() const {
    return {matrixA_, matrixB_, x_, precision_->Box(), rectangular_, polar_};
}

}  // namespace quorvix
