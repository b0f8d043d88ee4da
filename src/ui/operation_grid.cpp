#include "ui/operation_grid.h"

#include <array>
#include <cstring>

namespace quorvix {

namespace {

constexpr int kColumnA = 224, kColumnB = 296, kColumnBoth = 368;

constexpr int Row(int index) { return 80 + 32 * index; }

constexpr std::array<OperationButtonPlace, 43> kGrid{{
    {"SpeedButton11", kColumnA, Row(0)},  {"SpeedButton12", kColumnB, Row(0)},  {"SpeedButton13", kColumnBoth, Row(0)},
    {"SpeedButton14", kColumnA, Row(1)},  {"SpeedButton15", kColumnB, Row(1)},  {"SpeedButton9", kColumnBoth, Row(1)},
    {"SpeedButton18", kColumnA, Row(2)},  {"SpeedButton38", kColumnB, Row(2)},  {"SpeedButton39", kColumnBoth, Row(2)},
    {"SpeedButton40", kColumnA, Row(3)},  {"SpeedButton45", kColumnB, Row(3)},  {"SpeedButton46", kColumnBoth, Row(3)},
    {"SpeedButton47", kColumnA, Row(4)},  {"SpeedButton48", kColumnB, Row(4)},  {"SpeedButton49", kColumnBoth, Row(4)},
    {"SpeedButton50", kColumnA, Row(5)},  {"SpeedButton51", kColumnB, Row(5)},  {"SpeedButton52", kColumnBoth, Row(5)},
    {"SpeedButton19", kColumnA, Row(6)},  {"SpeedButton20", kColumnB, Row(6)},  {"SpeedButton21", kColumnBoth, Row(6)},
    {"SpeedButton24", kColumnA, Row(7)},  {"SpeedButton25", kColumnB, Row(7)},  {"SpeedButton22", kColumnBoth, Row(7)},
    {"SpeedButton32", kColumnA, Row(8)},  {"SpeedButton37", kColumnB, Row(8)},  {"SpeedButton23", kColumnBoth, Row(8)},
    {"SpeedButton34", kColumnA, Row(9)},  {"SpeedButton35", kColumnB, Row(9)},  {"SpeedButton16", kColumnBoth, Row(9)},
    {"SpeedButton33", kColumnA, Row(10)}, {"SpeedButton43", kColumnB, Row(10)}, {"SpeedButton17", kColumnBoth, Row(10)},
    {"SpeedButton26", kColumnA, Row(11)}, {"SpeedButton28", kColumnB, Row(11)}, {"SpeedButton27", kColumnBoth, Row(11)},
    {"SpeedButton29", kColumnA, Row(12)}, {"SpeedButton30", kColumnB, Row(12)}, {"SpeedButton44", kColumnBoth, Row(12)},
    {"SpeedButton31", kColumnA, Row(13)}, {"SpeedButton36", kColumnB, Row(13)},
    {"SpeedButton41", kColumnA, Row(14)}, {"SpeedButton42", kColumnB, Row(14)},
}};

QFont Font(const char* family) {
    QFont font{QString::fromLatin1(family)};
    font.setPixelSize(11);
    return font;
}

}  // namespace

std::span<const OperationButtonPlace> OperationGrid() { return kGrid; }

const OperationButtonPlace* FindOperationPlace(const char* control) {
    for (const OperationButtonPlace& place : kGrid)
        if (std::strcmp(place.Control, control) == 0) return &place;
    return nullptr;
}

ButtonFont OperationButtonFont(const OperationButtonPlace& place) {
    if (std::strcmp(place.Control, "SpeedButton11") == 0) return {Font("Arial"), QColor(Qt::black)};
    if (place.Left == kColumnA) return {Font("MS Sans Serif"), QColor(128, 0, 0)};
    if (place.Left == kColumnB) return {Font("Arial"), QColor(0, 128, 0)};
    return {Font("Arial"), QColor(0, 0, 128)};
}

}  // namespace quorvix
