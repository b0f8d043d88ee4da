#pragma once
// The items that take one kept result further, for the result panel's pop-up
// menu (the result under the mouse) and the menu bar's "Result" menu (the
// newest): "Use as Matrix A", "Use as Matrix B", "Copy as" in the formats of
// other programs and "Export result…". A result of several factors gets a
// submenu of its factors wherever one matrix must be chosen.
#include <QString>
#include <cstddef>
#include <functional>
#include <string>

#include "commands/calc_state.h"
#include "commands/command_frame.h"
#include "files/export_formats.h"

class QMenu;
class QWidget;

namespace quorvix {

// What the items ask the window to do with kept result `number` (from 1),
// or with its factor `name` ("" for the whole result).
struct ResultRequests {
    std::function<void(Operand which, std::size_t number, const std::string& name)> Use;
    std::function<void(std::size_t number, const std::string& name, ExportFormat format)> Copy;
    std::function<void(std::size_t number, const std::string& name)> Export;
};

// The shortcut text an item shows after its caption; empty for none.
struct ResultKeys {
    QString UseA, UseB, CopyTabs, Export;
};

// The caption of a format in "Copy as": "&Tab-separated (spreadsheets)",
// "&CSV", "&Octave/MATLAB", "&numpy", "&LaTeX", "&Matrix Market", "&JSON".
QString CopyFormatCaption(ExportFormat format);

// Adds the items for `kept`, kept result `number`, to `menu`: each item's
// object name tells what it does ("UseAsA", "UseAsA.L", "CopyAs.csv",
// "CopyAs.mm.U", "ExportResult", "ExportResult.L").
void AddResultItems(QMenu* menu, const KeptResult& kept, std::size_t number, const ResultRequests& requests,
                    const ResultKeys& keys = {});

// The same items, disabled, for a panel that keeps no result there.
void AddDisabledResultItems(QMenu* menu, const ResultKeys& keys = {});

// A menu of `kept`'s factors (ChoosableNames), each item calling `chosen`
// with its name; owned by `parent`.
QMenu* FactorMenu(QWidget* parent, const KeptResult& kept, const std::function<void(const std::string&)>& chosen);

}  // namespace quorvix
