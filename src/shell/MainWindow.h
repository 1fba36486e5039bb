#pragma once

#include <QMainWindow>
#include <array>

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTimer;
class QToolButton;
class QTreeWidget;

// frmMain: the program's one main window. It owns every control that holds working state;
// the controllers of the subsystems read and write these controls and nothing else.
// Control names equal the object names; numbered arrays carry their index ("zanList_1").
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);

    // Control shown (its own visibility flag, whatever its tab or window shows).
    static bool isShown(const QWidget *widget);

    // Images of the small-icon list by key: "drive", "folderClosed", "file", "stop".
    QIcon smallIcon(const QString &key) const;

    // Tabs and their frames (keys "ac", "dg", "trigger").
    QTabWidget *mainTabStrip = nullptr;
    std::array<QWidget *, 3> frame{};

    std::array<QLabel *, 1> headerLbl{};
    QLabel *statusPanel = nullptr; // status panel 1
    QLabel *datePanel = nullptr;   // status panel 2, key "Date"
    QProgressBar *ProgressBar1 = nullptr;
    QTimer *progBarTimer = nullptr;

    // Views and drives.
    QListWidget *mainList = nullptr;
    QPushButton *loadBut = nullptr;
    QCheckBox *myViewsOnlyCB = nullptr;
    QPushButton *butSpecifyView = nullptr;
    QPushButton *viewConfigSpecBut = nullptr;
    QPushButton *showAllDrivesBut = nullptr;
    QLineEdit *filterDriveTxt = nullptr;
    QPushButton *mountVobBut = nullptr;
    QPushButton *refreshBut = nullptr;

    // Current VOB and element tree.
    QLineEdit *vobTagTxt = nullptr;
    QLineEdit *vobRootTxt = nullptr;
    QLabel *Label1 = nullptr;
    QTreeWidget *tTreeList = nullptr;
    QListWidget *dirList = nullptr;
    QFrame *dirListFrame = nullptr;
    QPushButton *checkAll = nullptr;
    QPushButton *butClearAll = nullptr;
    QListWidget *selectedList = nullptr;
    QLineEdit *selectedElemTxt = nullptr;

    // UCM.
    QLabel *ucmVobLbl = nullptr;
    QLabel *ucmVobImage = nullptr;
    QListWidget *projList = nullptr;
    QListWidget *projSubList = nullptr;
    QListWidget *streamsList = nullptr;
    QListWidget *streamSubList = nullptr;

    // Access control tab.
    QComboBox *ccOperationsCombo = nullptr;
    std::array<QListWidget *, 3> zanList{};
    QListWidget *zanSubList = nullptr;
    std::array<QToolButton *, 11> zanBut{};
    QComboBox *selectUserCombo = nullptr;
    QComboBox *selectGroupCombo = nullptr;
    std::array<QLabel *, 7> zanLbl{};
    QLabel *userGroupLbl = nullptr;
    QLabel *zanCurSettingLbl = nullptr;
    QLabel *stopImage = nullptr;
    QPlainTextEdit *stopMsgTxt = nullptr;
    QPushButton *applyAllCheckedBut = nullptr;
    QPushButton *deleteAllCheckedBut = nullptr;
    QPushButton *purgeFromElemBut = nullptr;

    // Trigger(Admin) tab.
    QComboBox *trigNamesCombo = nullptr;
    QLineEdit *trigLocationTxt = nullptr;
    QLineEdit *trigLocationUnixTxt = nullptr;
    QLineEdit *txtUnixWork = nullptr;
    QCheckBox *checkboxUnixOrWindowsLocation = nullptr;
    QCheckBox *interopSupportCB = nullptr;
    QLineEdit *adminUsersTxt = nullptr;
    QPushButton *applyTriggerBut = nullptr;
    QPushButton *removeAllTriggersBut = nullptr;
    QPushButton *butTriggerDetail = nullptr;
    std::array<QLabel *, 2> trigStatusImage{};
    std::array<QLabel *, 6> trigLbl{};
    QLabel *privListWarningLbl = nullptr; // the VOB enforces another privileged list

    // Define Groups tab.
    std::array<QLineEdit *, 2> dgTxt{};
    std::array<QListWidget *, 2> dgList{};
    std::array<QToolButton *, 4> dgBut{};
    QPushButton *dgLoadBut = nullptr;
    QLabel *dgLbl = nullptr;
    QPushButton *saveGroupBut = nullptr;

    // Indicators.
    QLabel *overrideImage = nullptr;
    QLabel *nuserImage = nullptr;

    // Menus.
    QMenu *File = nullptr;
    QAction *loadConfigFile = nullptr;
    QAction *saveConfigToFile = nullptr;
    QAction *Exit = nullptr;
    QMenu *options = nullptr;
    QAction *settings = nullptr;
    QMenu *help = nullptr;
    QAction *GettingHelp = nullptr;
    QAction *content = nullptr;
    QAction *about = nullptr;
    QMenu *tools = nullptr;
    QAction *explainAccess = nullptr;
    QAction *auditReport = nullptr;
    QAction *refusedOperations = nullptr;

signals:
    void activated();   // the window became active
    void unloading();   // the window is being closed

protected:
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *buildViewsPanel();
    QWidget *buildAccessTab();
    QWidget *buildGroupsTab();
    QWidget *buildTriggerTab();
    void buildMenus();
    void buildStatusBar();
    void watchHintFields();
};
