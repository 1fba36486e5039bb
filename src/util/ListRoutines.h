#pragma once

#include "util/ItemList.h"

#include <QString>

// List and comma-list routines shared by every subsystem. Presence is decided ignoring
// case (is_dup_list); removals take the first exactly equal entry.
namespace ListRoutines {

bool is_dup_list(const QString &text, const ItemList &list);
void deletedSelectedInList(ItemList list);
void removeListItem(const QString &text, ItemList list);
void removeFromList(const QString &text, ItemList list);
void selectListItem(const QString &text, ItemList list);
void setListBoxFromString(const QString &text, ItemList list);
void delStringFromListBox(const QString &text, ItemList list);
QString getStringFromListBox(const ItemList &list);

// Index of the first entry exactly equal to text, or -1.
int indexOfExact(const QString &text, const ItemList &list);

} // namespace ListRoutines
