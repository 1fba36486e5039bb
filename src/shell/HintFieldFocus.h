#pragma once

#include <QObject>

class QComboBox;
class QLineEdit;

// Makes a field that shows its hint ("<...>") select the whole hint whenever it receives the
// focus (mouse click, Tab or the program), so that what the user types replaces the hint
// instead of being appended to it. A click places the cursor after the focus arrived, so the
// hint is selected again once the click is over, unless the user dragged a selection.
class HintFieldFocus : public QObject
{
    Q_OBJECT

public:
    explicit HintFieldFocus(QObject *parent = nullptr);

    void watch(QLineEdit *field);
    // An editable combo box takes the focus for its field and passes it on unseen.
    void watch(QComboBox *combo);

    static bool showsHint(const QLineEdit *field);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    static QLineEdit *fieldOf(QObject *watched);
    static void selectHint(QLineEdit *field);
};
