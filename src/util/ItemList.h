#pragma once

#include "access/AccessListRules.h"

#include <QString>
#include <QStringList>

class QListWidget;
class QComboBox;

// One item-list API over list boxes and combo boxes: count, text by 0-based index, add at
// the end, remove at an index, the selected flag of an item, and the current index.
// A light handle: copy it freely, it does not own the control.
class ItemList
{
public:
    ItemList(QListWidget *list);
    ItemList(QComboBox *combo);

    int count() const;
    QString text(int index) const;
    void add(const QString &text);
    void removeAt(int index);
    bool isSelected(int index) const;
    int currentIndex() const;
    void setCurrentIndex(int index);
    void clear();

    QStringList entries() const;
    // Entries and selected rows, and back (list boxes only).
    AccessListRules::Snapshot snapshot() const;
    void restore(const AccessListRules::Snapshot &snapshot);

    QListWidget *listWidget() const { return m_list; }
    QComboBox *comboBox() const { return m_combo; }

private:
    QListWidget *m_list = nullptr;
    QComboBox *m_combo = nullptr;
};
