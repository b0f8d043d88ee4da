// The result items for each kind of kept result: one item per action for a
// plain matrix, factor submenus where one matrix must be chosen, and each
// item asking for its own result number, factor and format.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <string>
#include <vector>

#include "commands/result_choice.h"
#include "ui/result_items.h"

namespace quorvix {
namespace {

RCOMat Identity(int n) {
    RCOMat m(static_cast<std::size_t>(n), RCOVec(static_cast<std::size_t>(n)));
    for (int k = 0; k < n; ++k) m[static_cast<std::size_t>(k)][static_cast<std::size_t>(k)] = Scalar::Integer(1);
    return m;
}

// What the items asked for, one line per request: "use A 2 U", "copy 2 L csv", "export 2 ".
struct Asked {
    std::vector<std::string> Lines;
    ResultRequests Requests() {
        return {.Use =
                    [this](Operand which, std::size_t number, const std::string& name) {
                        Lines.push_back(std::string("use ") + OperandName(which) + " " + std::to_string(number) + " " +
                                        name);
                    },
                .Copy =
                    [this](std::size_t number, const std::string& name, ExportFormat format) {
                        Lines.push_back("copy " + std::to_string(number) + " " + name + " " + ExportFormatName(format));
                    },
                .Export =
                    [this](std::size_t number, const std::string& name) {
                        Lines.push_back("export " + std::to_string(number) + " " + name);
                    }};
    }
};

QAction* Named(const QMenu& menu, const std::string& name) {
    return menu.findChild<QAction*>(QString::fromStdString(name));
}

TEST(ResultItems, APlainMatrixHasOneItemPerAction) {
    const KeptResult kept{"inv(A)", MatrixResult{Identity(2)}};
    QMenu menu;
    Asked asked;
    AddResultItems(&menu, kept, 3, asked.Requests());
    for (const char* name : {"UseAsA", "UseAsB", "ExportResult", "CopyAs.tsv", "CopyAs.csv", "CopyAs.octave",
                             "CopyAs.numpy", "CopyAs.latex", "CopyAs.mm", "CopyAs.json"}) {
        QAction* item = Named(menu, name);
        ASSERT_NE(item, nullptr) << name;
        EXPECT_EQ(item->menu(), nullptr) << name;
        item->trigger();
    }
    EXPECT_EQ(asked.Lines, (std::vector<std::string>{"use A 3 ", "use B 3 ", "export 3 ", "copy 3  tsv", "copy 3  csv",
                                                     "copy 3  octave", "copy 3  numpy", "copy 3  latex", "copy 3  mm",
                                                     "copy 3  json"}));
}

TEST(ResultItems, AFactorizationIsChosenFactorByFactor) {
    const KeptResult kept{"LU(A)", FactorPairResult{"L", "U", Identity(2), Identity(2), 2, 2, false}};
    QMenu menu;
    Asked asked;
    AddResultItems(&menu, kept, 1, asked.Requests());
    // One matrix: a submenu of the factors.
    for (const char* name : {"UseAsA.L", "UseAsA.U", "UseAsB.U", "CopyAs.tsv.L", "CopyAs.csv.U", "CopyAs.mm.U",
                             "ExportResult.L", "ExportResult.U"})
        ASSERT_NE(Named(menu, name), nullptr) << name;
    // Formats of several matrices copy them all.
    EXPECT_EQ(Named(menu, "CopyAs.octave.L"), nullptr);
    ASSERT_NE(Named(menu, "CopyAs.octave"), nullptr);
    for (const char* name : {"UseAsB.U", "CopyAs.mm.U", "CopyAs.octave", "ExportResult.all", "ExportResult.L"})
        Named(menu, name)->trigger();
    EXPECT_EQ(asked.Lines,
              (std::vector<std::string>{"use B 1 U", "copy 1 U mm", "copy 1  octave", "export 1 ", "export 1 L"}));
}

TEST(ResultItems, AnEigenvectorResultOffersItsValuesAndVectors) {
    const KeptResult kept{"Eigvec(A)", FactorListResult{{{"D", Identity(2)}, {"V", Identity(2)}}}};
    QMenu menu;
    Asked asked;
    AddResultItems(&menu, kept, 2, asked.Requests());
    for (const std::string& name : ChoosableNames(kept.Value)) {
        ASSERT_NE(Named(menu, "UseAsA." + name), nullptr) << name;
        Named(menu, "UseAsA." + name)->trigger();
    }
    EXPECT_EQ(asked.Lines, (std::vector<std::string>{"use A 2 D", "use A 2 V", "use A 2 values", "use A 2 vectors"}));
}

TEST(ResultItems, TheDisabledItemsAndTheKeysTheyShow) {
    QMenu menu;
    AddDisabledResultItems(&menu, {QStringLiteral("Ctrl+Shift+A"), {}, {}, QStringLiteral("Ctrl+E")});
    QAction* use = Named(menu, "UseAsA");
    ASSERT_NE(use, nullptr);
    EXPECT_FALSE(use->isEnabled());
    EXPECT_EQ(use->text(), QStringLiteral("Use as Matrix &A\tCtrl+Shift+A"));
    EXPECT_EQ(Named(menu, "UseAsB")->text(), QStringLiteral("Use as Matrix &B"));
    EXPECT_FALSE(Named(menu, "ExportResult")->isEnabled());
}

}  // namespace
}  // namespace quorvix
