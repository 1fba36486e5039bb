#include "util/ItemList.h"

#include <QComboBox>
#include <QListWidget>

ItemList::ItemList(QListWidget *list) : m_list(list) {}
ItemList::ItemList(QComboBox *combo) : m_combo(combo) {}

int ItemList::count() const
{
    return m_list ? m_list->count() : m_combo->count();
}

QString ItemList::text(int index) const
{
    if (m_list) {
        const QListWidgetItem *item = m_list->item(index);
        return item ? item->text() : QString();
    }
    return m_combo->itemText(index);
}

void ItemList::add(const QString &text)
{
    if (m_list)
        m_list->addItem(text);
    else
        m_combo->addItem(text);
}

void ItemList::removeAt(int index)
{
    if (index < 0 || index >= count())
        return;
    if (m_list)
        delete m_list->takeItem(index);
    else
        m_combo->removeItem(index);
}

bool ItemList::isSelected(int index) const
{
    if (m_list) {
        const QListWidgetItem *item = m_list->item(index);
        return item && item->isSelected();
    }
    return m_combo->currentIndex() == index;
}

int ItemList::currentIndex() const
{
    return m_list ? m_list->currentRow() : m_combo->currentIndex();
}

void ItemList::setCurrentIndex(int index)
{
    if (m_list)
        m_list->setCurrentRow(index);
    else
        m_combo->setCurrentIndex(index);
}

void ItemList::clear()
{
    if (m_list)
        m_list->clear();
    else
        m_combo->clear();
}

QStringList ItemList::entries() const
{
    QStringList entries;
    entries.reserve(count());
    for (int i = 0; i < count(); ++i)
        entries << text(i);
    return entries;
}

AccessListRules::Snapshot ItemList::snapshot() const
{
    AccessListRules::Snapshot snapshot{entries(), {}};
    for (int i = 0; i < count(); ++i) {
        if (isSelected(i))
            snapshot.selectedRows << i;
    }
    return snapshot;
}

void ItemList::restore(const AccessListRules::Snapshot &snapshot)
{
    m_list->clear();
    m_list->addItems(snapshot.entries);
    for (int row : snapshot.selectedRows)
        m_list->item(row)->setSelected(true);
}
