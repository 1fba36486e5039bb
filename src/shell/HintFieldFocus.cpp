#include "shell/HintFieldFocus.h"

#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QTimer>

HintFieldFocus::HintFieldFocus(QObject *parent) : QObject(parent) {}

void HintFieldFocus::watch(QLineEdit *field)
{
    field->installEventFilter(this);
}

void HintFieldFocus::watch(QComboBox *combo)
{
    combo->installEventFilter(this);
    if (combo->lineEdit())
        watch(combo->lineEdit());
}

bool HintFieldFocus::showsHint(const QLineEdit *field)
{
    return field && field->text().contains(QLatin1Char('<'));
}

QLineEdit *HintFieldFocus::fieldOf(QObject *watched)
{
    if (auto *combo = qobject_cast<QComboBox *>(watched))
        return combo->lineEdit();
    return qobject_cast<QLineEdit *>(watched);
}

void HintFieldFocus::selectHint(QLineEdit *field)
{
    if (showsHint(field) && !field->hasSelectedText())
        field->selectAll();
}

bool HintFieldFocus::eventFilter(QObject *watched, QEvent *event)
{
    QLineEdit *field = fieldOf(watched);
    if (field && event->type() == QEvent::FocusIn) {
        selectHint(field);
    } else if (field && event->type() == QEvent::MouseButtonRelease) {
        // After the field has handled the release, which ends the click that placed the cursor.
        QTimer::singleShot(0, field, [field] { selectHint(field); });
    }
    return QObject::eventFilter(watched, event);
}
