#pragma once
// Access keys for menu items whose captions come from data (factor names,
// the operation table's captions), so that every item of a menu can be
// chosen with one key and none needs the mouse.
#include <QString>

namespace quorvix {

// Gives out the access keys of one menu: each caption gets "&" before its
// first letter or digit whose key no earlier caption took; a caption that
// already has one keeps it, and one whose letters are all taken is numbered
// ("&1 A\B") with the first digit free.
class AccessKeys {
public:
    QString Keyed(const QString& caption);

private:
    QString used_;  // the keys taken, in upper case
};

}  // namespace quorvix
