#pragma once

#include <QDialog>
#include <QStringList>
#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class Registry;
class SystemRoutines;
class WorkingState;

// frmSettings: the general settings (trigger override for this tool, the current user in
// the trigger exemption list) and the advanced values other parts read while the program
// runs (view drive letter, privileged operations). The object lives for the whole run:
// OK and Cancel only hide it, so the load step runs once and activate on every opening.
// OK stores the two general settings; Cancel (or closing the window) stores nothing. Both
// leave the advanced section locked.
class SettingsDialog : public QDialog
{
    Q_OBJECT

public:
    SettingsDialog(Registry &registry, SystemRoutines &system, const WorkingState &state, QWidget *parent = nullptr);

    void setPrivOperations(const QString &list);
    QString getPrivOperations() const;
    QString getViewDrive() const;

    // Activate step, then shown window-modal without blocking the caller.
    void showModal();
    void activate();

    bool isAdvancedLocked() const;

    std::array<QGroupBox *, 2> mainFrame{};
    QCheckBox *nuserSetting = nullptr;
    QCheckBox *overrideTriggersCB = nullptr;
    std::array<QLabel *, 2> mainLbl{};
    QComboBox *viewDriveCombo = nullptr;
    QLineEdit *privOperationsTxt = nullptr;
    std::array<QToolButton *, 2> lockImage{};
    QPushButton *okBut = nullptr;
    QPushButton *cancelBut = nullptr;

signals:
    // OK stored the settings; the main window refreshes its indicators from the store.
    void settingsSaved();

private:
    void buildGeneralFrame();
    void buildAdvancedFrame();
    void load();
    QStringList viewDriveChoices() const;
    void showViewDriveChoices();
    void lockImageClicked(int index);
    void lockAdvanced();
    void unlockAdvanced();
    void okClicked();

    Registry &m_registry;
    SystemRoutines &m_system;
    const WorkingState &m_state;
};
