#pragma once
// InputPane: the column of inputs at the panel's left, under their picture
// titles: the editors of Matrix A ("RichEdit1") and Matrix B ("RichEdit2")
// with their pop-up menus, the coefficient box x ("Edit1"), the precision
// box and the "Complex Format" group ("RadioGroup1").
#include <QString>
#include <QWidget>
#include <utility>
#include <vector>

#include "commands/calc_state.h"
#include "commands/command_frame.h"
#include "core/errors.h"
#include "ui/command_runner.h"

class QLineEdit;
class QPlainTextEdit;
class QRadioButton;

namespace quorvix {

class PrecisionBox;
class TabTypingEditor;

// The texts of A, B and x: what is lost when the window closes unsaved.
struct InputTexts {
    QString MatrixA, MatrixB, X;
    bool operator==(const InputTexts&) const = default;
};

class InputPane : public QWidget {
    Q_OBJECT

public:
    explicit InputPane(QWidget* panel);

    PrecisionBox* Precision() const { return precision_; }
    InputTexts Texts() const;
    // A, B and x as they are typed, into the state.
    void Read(CalcState& s);
    // The state's A, B, x and complex format. A matrix the state holds
    // otherwise than last read or shown (rewritten by the format switch, the
    // notation tools, Align, Clear, opening a project) replaces its editor's
    // text as one step of the editor's undo, so that digits the user typed
    // can be had back; so does a rewritten x.
    void Show(const CalcState& s);
    void ShowFormat(ComplexFormat format);
    // What the editors hold now is nothing to undo.
    void ForgetUndo();
    // Selects the text an error was caused by (behind the error box), so
    // that it can be put right at once.
    void ShowPlace(const ErrorPlace& place);
    // While a command runs nothing can be typed; the editors can still be
    // scrolled and copied from.
    void SetLocked(bool locked);

    // The window has grown `extra` pixels taller than its smallest size:
    // the two editors share the extra height, the controls below them
    // move down with the panel's bottom, nothing gets wider.
    void Stretch(int extra);

    // A, B, x, the precision box and the two formats, in the order Tab
    // reaches them.
    std::vector<QWidget*> FocusChain() const;
    std::vector<QPlainTextEdit*> Editors() const;

signals:
    // The first Tab typed in an editor since it got the focus.
    void FirstTabTyped();
    // The user chose an item of "Complex Format" (it is already checked).
    void FormatChosen(ComplexFormat format);
    // A tool of an editor's pop-up menu asks the window to rewrite the state.
    void RewriteAsked(const CommandRunner::Job& job, PrecisionUse precision);
    // An editor's "Paste as matrix": the clipboard's text read as a matrix.
    void PasteAsMatrixAsked(Operand which);

private:
    void AddMenus();

    TabTypingEditor* matrixA_;
    TabTypingEditor* matrixB_;
    QLineEdit* x_;
    PrecisionBox* precision_;
    QRadioButton* rectangular_;
    QRadioButton* polar_;
    // Each control's place at the smallest size.
    std::vector<std::pair<QWidget*, QRect>> places_;
    // A and B as last read or shown, to see what a command changed.
    EditorLines shownA_, shownB_;
};

}  // namespace quorvix
