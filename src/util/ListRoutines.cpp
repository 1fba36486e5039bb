#include "util/ListRoutines.h"

#include "util/TextRoutines.h"

#include <QStringList>

namespace ListRoutines {

bool is_dup_list(const QString &text, const ItemList &list)
{
    const int n = list.count();
    for (int i = 0; i < n; ++i) {
        if (list.text(i).compare(text, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

void deletedSelectedInList(ItemList list)
{
    const int n = list.count();
    for (int i = 0; i < n; ++i) {
        while (i < list.count() && list.isSelected(i))
            list.removeAt(i);
    }
}

int indexOfExact(const QString &text, const ItemList &list)
{
    const int n = list.count();
    for (int i = 0; i < n; ++i) {
        if (list.text(i) == text)
            return i;
    }
    return -1;
}

void removeListItem(const QString &text, ItemList list)
{
    const int index = indexOfExact(text, list);
    if (index >= 0)
        list.removeAt(index);
}

void removeFromList(const QString &text, ItemList list)
{
    removeListItem(text, list);
}

void selectListItem(const QString &text, ItemList list)
{
    const int index = indexOfExact(text, list);
    if (index >= 0)
        list.setCurrentIndex(index);
}

void setListBoxFromString(const QString &text, ItemList list)
{
    if (text.isEmpty())
        return;
    for (const QString &piece : TextRoutines::commaSplit(text)) {
        if (!is_dup_list(piece, list))
            list.add(piece);
    }
}

void delStringFromListBox(const QString &text, ItemList list)
{
    for (const QString &piece : TextRoutines::commaSplit(text))
        removeListItem(piece, list);
}

QString getStringFromListBox(const ItemList &list)
{
    QStringList entries;
    const int n = list.count();
    entries.reserve(n);
    for (int i = 0; i < n; ++i)
        entries << list.text(i);
    return entries.join(QLatin1Char(','));
}

} // namespace ListRoutines
