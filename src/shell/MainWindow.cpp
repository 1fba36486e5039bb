#include "shell/MainWindow.h"

#include "shell/HintFieldFocus.h"
#include "util/AppInfo.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <type_traits>

namespace {

QString arrayName(const char *name, int index)
{
    return QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(index);
}

template <typename W>
W *named(W *object, const QString &name, const QString &toolTip = QString())
{
    object->setObjectName(name);
    if constexpr (std::is_base_of_v<QWidget, W>) {
        if (!toolTip.isEmpty())
            object->setToolTip(toolTip);
    }
    return object;
}

QPushButton *button(const QString &name, const QString &caption, const QString &toolTip = QString())
{
    return named(new QPushButton(caption), name, toolTip);
}

QLabel *label(const QString &name, const QString &caption)
{
    return named(new QLabel(caption), name);
}

QLineEdit *textBox(const QString &name, const QString &text, const QString &toolTip = QString())
{
    auto *box = named(new QLineEdit(text), name, toolTip);
    // The placeholder a field returns to when emptied ("tag" of the original controls).
    box->setProperty("tag", text);
    return box;
}

QListWidget *listBox(const QString &name, QAbstractItemView::SelectionMode mode = QAbstractItemView::SingleSelection)
{
    auto *list = named(new QListWidget, name);
    list->setSelectionMode(mode);
    return list;
}

QLabel *imageLabel(const QString &name, const QIcon &icon, const QString &toolTip = QString())
{
    auto *image = named(new QLabel, name, toolTip);
    image->setPixmap(icon.pixmap(20, 20));
    return image;
}

} // namespace

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(AppInfo::title);

    auto *central = new QWidget;
    auto *outer = new QVBoxLayout(central);

    auto *header = new QHBoxLayout;
    headerLbl[0] = label(arrayName("headerLbl", 0), AppInfo::title);
    QFont headerFont(QStringLiteral("Arial"));
    headerFont.setPointSize(14);
    headerFont.setBold(true);
    headerLbl[0]->setFont(headerFont);
    header->addWidget(headerLbl[0]);
    header->addStretch();
    overrideImage = imageLabel(QStringLiteral("overrideImage"), style()->standardIcon(QStyle::SP_MessageBoxWarning),
                               QStringLiteral("Override Trigger = \"ON\""));
    overrideImage->hide();
    nuserImage = imageLabel(QStringLiteral("nuserImage"), style()->standardIcon(QStyle::SP_DialogYesButton));
    nuserImage->hide();
    header->addWidget(overrideImage);
    header->addWidget(nuserImage);
    outer->addLayout(header);

    auto *splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(buildViewsPanel());

    mainTabStrip = named(new QTabWidget, QStringLiteral("mainTabStrip"));
    const QStringList keys{QStringLiteral("ac"), QStringLiteral("dg"), QStringLiteral("trigger")};
    const QStringList captions{QStringLiteral("Acess Control"), QStringLiteral("Define Groups"), QStringLiteral("Trigger(Admin)")};
    const QStringList tips{QStringLiteral("Set security and access to ClearCase operations"), QStringLiteral("Define Groups"),
                           QStringLiteral("Setup and apply necessary trigger for the VOB to enforce security and access")};
    frame = {buildAccessTab(), buildGroupsTab(), buildTriggerTab()};
    for (int i = 0; i < 3; ++i) {
        frame[i]->setObjectName(arrayName("frame", i));
        mainTabStrip->addTab(frame[i], captions[i]);
        mainTabStrip->setTabToolTip(i, tips[i]);
        mainTabStrip->tabBar()->setTabData(i, keys[i]);
    }
    splitter->addWidget(mainTabStrip);
    splitter->setStretchFactor(0, 2);
    splitter->setStretchFactor(1, 3);
    outer->addWidget(splitter, 1);

    setCentralWidget(central);
    buildMenus();
    buildStatusBar();
    watchHintFields();
    resize(1180, 760);
}

// Any field may come to show a hint (the member box shows one naming the selected group).
void MainWindow::watchHintFields()
{
    auto *hints = new HintFieldFocus(this);
    for (QLineEdit *field : findChildren<QLineEdit *>())
        hints->watch(field);
    for (QComboBox *combo : findChildren<QComboBox *>()) {
        if (combo->isEditable())
            hints->watch(combo);
    }
}

bool MainWindow::isShown(const QWidget *widget)
{
    return widget && !widget->isHidden();
}

QIcon MainWindow::smallIcon(const QString &key) const
{
    if (key == QLatin1String("drive"))
        return style()->standardIcon(QStyle::SP_DriveHDIcon);
    if (key == QLatin1String("folderClosed"))
        return style()->standardIcon(QStyle::SP_DirClosedIcon);
    if (key == QLatin1String("stop"))
        return style()->standardIcon(QStyle::SP_BrowserStop);
    return style()->standardIcon(QStyle::SP_FileIcon);
}

QWidget *MainWindow::buildViewsPanel()
{
    auto *panel = new QWidget;
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);

    auto *viewRow = new QHBoxLayout;
    loadBut = button(QStringLiteral("loadBut"), QStringLiteral("Load Views"));
    myViewsOnlyCB = named(new QCheckBox(QStringLiteral("My Views Only")), QStringLiteral("myViewsOnlyCB"),
                          QStringLiteral("Filter to show only my views"));
    butSpecifyView = button(QStringLiteral("butSpecifyView"), QStringLiteral("Add View..."), QStringLiteral("Enter a view name"));
    viewConfigSpecBut = button(QStringLiteral("viewConfigSpecBut"), QStringLiteral("Config Spec"),
                               QStringLiteral("View Config spec for the view"));
    viewRow->addWidget(loadBut);
    viewRow->addWidget(myViewsOnlyCB);
    viewRow->addWidget(butSpecifyView);
    viewRow->addWidget(viewConfigSpecBut);
    viewRow->addStretch();
    layout->addLayout(viewRow);

    mainList = listBox(QStringLiteral("mainList"));
    mainList->setMaximumHeight(120);
    layout->addWidget(mainList);

    auto *driveRow = new QHBoxLayout;
    showAllDrivesBut = button(QStringLiteral("showAllDrivesBut"), QStringLiteral("Show All Drives"),
                              QStringLiteral("Show all drives on local system"));
    filterDriveTxt = textBox(QStringLiteral("filterDriveTxt"), QStringLiteral("a:,c:,d;e;f;g;h;i;j;k;l;n;o;p;q;r;s;t;u;v;w;x;y;z"),
                             QStringLiteral("Specify drives to filter out (E.g., a:,c:,<drive letter>:,...)"));
    filterDriveTxt->hide();
    mountVobBut = button(QStringLiteral("mountVobBut"), QStringLiteral("Mount VOB"), QStringLiteral("If a VOB is not visible, mount it."));
    refreshBut = button(QStringLiteral("refreshBut"), QStringLiteral("Refresh List"));
    driveRow->addWidget(showAllDrivesBut);
    driveRow->addWidget(filterDriveTxt, 1);
    driveRow->addWidget(mountVobBut);
    driveRow->addWidget(refreshBut);
    layout->addLayout(driveRow);

    auto *vobRow = new QHBoxLayout;
    Label1 = label(QStringLiteral("Label1"), QStringLiteral("Selected VOB:"));
    vobTagTxt = textBox(QStringLiteral("vobTagTxt"), QStringLiteral("<UNDEF>"));
    vobTagTxt->hide();
    vobRootTxt = textBox(QStringLiteral("vobRootTxt"), QStringLiteral("UNDEFINED"));
    vobRootTxt->setReadOnly(true);
    ucmVobLbl = label(QStringLiteral("ucmVobLbl"), QStringLiteral("UCM"));
    ucmVobLbl->hide();
    ucmVobImage = imageLabel(QStringLiteral("ucmVobImage"), style()->standardIcon(QStyle::SP_MessageBoxInformation),
                             QStringLiteral("UCM project VOB"));
    ucmVobImage->hide();
    vobRow->addWidget(Label1);
    vobRow->addWidget(vobRootTxt, 1);
    vobRow->addWidget(vobTagTxt);
    vobRow->addWidget(ucmVobImage);
    vobRow->addWidget(ucmVobLbl);
    layout->addLayout(vobRow);

    tTreeList = named(new QTreeWidget, QStringLiteral("tTreeList"));
    tTreeList->setHeaderHidden(true);
    tTreeList->setColumnCount(1);
    tTreeList->setSortingEnabled(false);
    tTreeList->setUniformRowHeights(true);
    layout->addWidget(tTreeList, 1);

    dirListFrame = named(new QFrame, QStringLiteral("dirListFrame"));
    auto *dirLayout = new QVBoxLayout(dirListFrame);
    dirList = listBox(QStringLiteral("dirList"));
    dirLayout->addWidget(dirList);
    dirListFrame->hide();
    layout->addWidget(dirListFrame);

    auto *checkRow = new QHBoxLayout;
    checkAll = button(QStringLiteral("checkAll"), QStringLiteral("Check All"), QStringLiteral("Check all elements"));
    butClearAll = button(QStringLiteral("butClearAll"), QStringLiteral("Uncheck All"));
    checkRow->addWidget(checkAll);
    checkRow->addWidget(butClearAll);
    checkRow->addStretch();
    layout->addLayout(checkRow);

    selectedList = listBox(QStringLiteral("selectedList"));
    selectedList->hide();
    selectedElemTxt = textBox(QStringLiteral("selectedElemTxt"), QString());
    selectedElemTxt->hide();
    layout->addWidget(selectedList);
    layout->addWidget(selectedElemTxt);
    return panel;
}

QWidget *MainWindow::buildAccessTab()
{
    auto *tab = new QWidget;
    auto *layout = new QGridLayout(tab);

    zanCurSettingLbl = label(QStringLiteral("zanCurSettingLbl"), QStringLiteral("Element: <UNDEF>"));
    layout->addWidget(zanCurSettingLbl, 0, 0, 1, 3);

    const QStringList lblCaptions{QStringLiteral("Operations"), QStringLiteral("Users"), QStringLiteral("Groups"),
                                  QStringLiteral("Apply to all checked based on: "), QStringLiteral("Purge all checked"),
                                  QStringLiteral("Streams"), QStringLiteral("Projects")};
    for (int i = 0; i < 7; ++i) {
        zanLbl[i] = label(arrayName("zanLbl", i), lblCaptions[i]);
        zanLbl[i]->setProperty("tag", lblCaptions[i]);
    }
    // The base element's name follows two blanks, unlike the design caption's one.
    zanLbl[3]->setProperty("tag", QStringLiteral("Apply to all checked based on:  "));

    const QStringList butTips{
        QStringLiteral("Add operation"), QStringLiteral("Delete operation"), QStringLiteral("Add user"), QStringLiteral("Delete user"),
        QStringLiteral("Delete group members from \"Users\" list"), QStringLiteral("Add group members to users list"),
        QStringLiteral("Add all users in a group"), QStringLiteral("Delete group"), QStringLiteral("Add all users in a group"),
        QStringLiteral("Delete group"), QStringLiteral("Delete group referenced by element")};
    const QList<QStyle::StandardPixmap> butIcons{
        QStyle::SP_FileDialogNewFolder, QStyle::SP_TrashIcon, QStyle::SP_FileDialogNewFolder, QStyle::SP_TrashIcon,
        QStyle::SP_DialogDiscardButton, QStyle::SP_ArrowRight, QStyle::SP_FileDialogNewFolder, QStyle::SP_TrashIcon,
        QStyle::SP_FileDialogNewFolder, QStyle::SP_TrashIcon, QStyle::SP_DialogCloseButton};
    for (int i = 0; i < 11; ++i) {
        zanBut[i] = named(new QToolButton, arrayName("zanBut", i), butTips[i]);
        zanBut[i]->setIcon(style()->standardIcon(butIcons[i]));
        zanBut[i]->setAutoRaise(true);
    }
    for (int i = 6; i <= 9; ++i)
        zanBut[i]->setEnabled(false);

    zanList[0] = listBox(arrayName("zanList", 0));
    zanList[1] = listBox(arrayName("zanList", 1), QAbstractItemView::ExtendedSelection);
    zanList[2] = listBox(arrayName("zanList", 2), QAbstractItemView::ExtendedSelection);
    zanList[2]->setToolTip(QStringLiteral("Double click to add group members to users list"));

    zanSubList = listBox(QStringLiteral("zanSubList"));
    zanSubList->setToolTip(QStringLiteral("Double click to select and add operation"));
    zanSubList->hide();

    selectUserCombo = named(new QComboBox, QStringLiteral("selectUserCombo"),
                            QStringLiteral("Select an existing user or type new user and hit enter"));
    selectUserCombo->setEditable(true);
    selectUserCombo->setInsertPolicy(QComboBox::NoInsert);
    selectUserCombo->hide();
    selectGroupCombo = named(new QComboBox, QStringLiteral("selectGroupCombo"));
    selectGroupCombo->hide();
    ccOperationsCombo = named(new QComboBox, QStringLiteral("ccOperationsCombo"));
    ccOperationsCombo->hide();

    userGroupLbl = label(QStringLiteral("userGroupLbl"), QStringLiteral("User(s) with <operation> privileges"));
    userGroupLbl->setProperty("tag", userGroupLbl->text());

    auto column = [&](QLabel *caption, std::initializer_list<QToolButton *> buttons, QWidget *list,
                      std::initializer_list<QWidget *> overlays) {
        auto *box = new QWidget;
        auto *v = new QVBoxLayout(box);
        v->setContentsMargins(0, 0, 0, 0);
        auto *row = new QHBoxLayout;
        row->addWidget(caption);
        row->addStretch();
        for (QToolButton *b : buttons)
            row->addWidget(b);
        v->addLayout(row);
        for (QWidget *w : overlays)
            v->addWidget(w);
        v->addWidget(list, 1);
        return box;
    };
    layout->addWidget(column(zanLbl[0], {zanBut[0], zanBut[1]}, zanList[0], {zanSubList}), 1, 0);
    auto *usersColumn = column(zanLbl[1], {zanBut[2], zanBut[3]}, zanList[1], {userGroupLbl, selectUserCombo});
    layout->addWidget(usersColumn, 1, 1);
    layout->addWidget(column(zanLbl[2], {zanBut[5], zanBut[4], zanBut[10]}, zanList[2], {selectGroupCombo}), 1, 2);

    stopImage = imageLabel(QStringLiteral("stopImage"), style()->standardIcon(QStyle::SP_BrowserStop),
                           QStringLiteral("This operation can only be applied at the VOB root.  Select the VOB root and select this operation."));
    stopImage->hide();
    stopMsgTxt = named(new QPlainTextEdit, QStringLiteral("stopMsgTxt"));
    stopMsgTxt->setReadOnly(true);
    stopMsgTxt->hide();
    auto *stopRow = new QHBoxLayout;
    stopRow->addWidget(stopImage);
    stopRow->addWidget(stopMsgTxt, 1);
    layout->addLayout(stopRow, 2, 0, 1, 3);

    auto *applyBox = named(new QGroupBox, QStringLiteral("applyFrame"));
    auto *applyLayout = new QGridLayout(applyBox);
    applyAllCheckedBut = button(QStringLiteral("applyAllCheckedBut"), QStringLiteral("Apply"),
                                QStringLiteral("Apply security access control to all checked elements"));
    deleteAllCheckedBut = button(QStringLiteral("deleteAllCheckedBut"), QStringLiteral("Purge"),
                                 QStringLiteral("Purge all operations and users for all checked elements"));
    purgeFromElemBut = button(QStringLiteral("purgeFromElemBut"), QStringLiteral("Purge Element"),
                              QStringLiteral("Purge all operations and users from element"));
    applyAllCheckedBut->setEnabled(false);
    deleteAllCheckedBut->setEnabled(false);
    zanLbl[3]->setEnabled(false);
    zanLbl[4]->setEnabled(false);
    applyLayout->addWidget(zanLbl[3], 0, 0);
    applyLayout->addWidget(applyAllCheckedBut, 0, 1);
    applyLayout->addWidget(zanLbl[4], 1, 0);
    applyLayout->addWidget(deleteAllCheckedBut, 1, 1);
    applyLayout->addWidget(purgeFromElemBut, 2, 1);
    layout->addWidget(applyBox, 3, 0, 1, 3);

    auto *ucmBox = named(new QGroupBox(QStringLiteral("UCM")), QStringLiteral("ucmFrame"));
    auto *ucmLayout = new QGridLayout(ucmBox);
    projList = listBox(QStringLiteral("projList"));
    projSubList = listBox(QStringLiteral("projSubList"));
    streamsList = listBox(QStringLiteral("streamsList"));
    streamSubList = listBox(QStringLiteral("streamSubList"));
    for (QListWidget *list : {projList, streamsList}) {
        list->setEnabled(false);
        list->setMaximumHeight(70);
    }
    projSubList->hide();
    streamSubList->hide();
    ucmLayout->addWidget(zanLbl[5], 0, 0);
    ucmLayout->addWidget(zanBut[6], 0, 1);
    ucmLayout->addWidget(zanBut[7], 0, 2);
    ucmLayout->addWidget(streamsList, 1, 0, 1, 3);
    ucmLayout->addWidget(streamSubList, 2, 0, 1, 3);
    ucmLayout->addWidget(zanLbl[6], 0, 3);
    ucmLayout->addWidget(zanBut[8], 0, 4);
    ucmLayout->addWidget(zanBut[9], 0, 5);
    ucmLayout->addWidget(projList, 1, 3, 1, 3);
    ucmLayout->addWidget(projSubList, 2, 3, 1, 3);
    ucmLayout->addWidget(ccOperationsCombo, 3, 0, 1, 6);
    layout->addWidget(ucmBox, 4, 0, 1, 3);
    layout->setRowStretch(1, 1);
    return tab;
}

QWidget *MainWindow::buildGroupsTab()
{
    auto *tab = new QWidget;
    auto *layout = new QGridLayout(tab);
    const QStringList placeholders{QStringLiteral("<enter_new_group>"), QStringLiteral("<enter_new_user>")};
    const QList<QStyle::StandardPixmap> icons{QStyle::SP_FileDialogNewFolder, QStyle::SP_TrashIcon,
                                              QStyle::SP_FileDialogNewFolder, QStyle::SP_TrashIcon};
    const QStringList tips{QStringLiteral("Add group"), QStringLiteral("Delete group"), QStringLiteral("Add user to group"),
                           QStringLiteral("Delete user from group")};
    for (int i = 0; i < 4; ++i) {
        dgBut[i] = named(new QToolButton, arrayName("dgBut", i), tips[i]);
        dgBut[i]->setIcon(style()->standardIcon(icons[i]));
    }
    for (int i = 0; i < 2; ++i) {
        dgTxt[i] = textBox(arrayName("dgTxt", i), placeholders[i]);
        dgList[i] = listBox(arrayName("dgList", i), QAbstractItemView::ExtendedSelection);
        auto *row = new QHBoxLayout;
        row->addWidget(dgTxt[i], 1);
        row->addWidget(dgBut[2 * i]);
        row->addWidget(dgBut[2 * i + 1]);
        layout->addWidget(label(QString(), i == 0 ? QStringLiteral("Groups") : QStringLiteral("Members")), 0, i);
        layout->addLayout(row, 1, i);
        layout->addWidget(dgList[i], 2, i);
    }
    dgList[1]->setEnabled(false);
    dgTxt[1]->setEnabled(false);
    dgBut[2]->setEnabled(false);
    dgBut[3]->setEnabled(false);

    auto *fileRow = new QHBoxLayout;
    dgLbl = label(QStringLiteral("dgLbl"), QStringLiteral("Load groups from file:"));
    dgLoadBut = button(QStringLiteral("dgLoadBut"), QStringLiteral("Load..."));
    saveGroupBut = button(QStringLiteral("saveGroupBut"), QStringLiteral("Save To File"));
    dgLbl->setEnabled(false);
    dgLoadBut->setEnabled(false);
    saveGroupBut->setEnabled(false);
    fileRow->addWidget(dgLbl);
    fileRow->addWidget(dgLoadBut);
    fileRow->addStretch();
    fileRow->addWidget(saveGroupBut);
    layout->addLayout(fileRow, 3, 0, 1, 2);
    return tab;
}

QWidget *MainWindow::buildTriggerTab()
{
    auto *tab = new QWidget;
    auto *layout = new QGridLayout(tab);
    const QStringList captions{QStringLiteral("Trigger setup for VOB: <UNDEF>"), QStringLiteral("UNC Location to copy / store trigger: "),
                               QStringLiteral("Trigger Names:"), QStringLiteral("Admin users (e.g., user1,user2):"),
                               QStringLiteral("Windows:"), QStringLiteral("Unix:")};
    for (int i = 0; i < 6; ++i)
        trigLbl[i] = label(arrayName("trigLbl", i), captions[i]);
    trigLbl[4]->setToolTip(QStringLiteral("E.g., \\\\server\\share\\trigger"));
    trigLbl[5]->setToolTip(QStringLiteral("E.g., \\\\server\\share\\trigger"));
    trigLbl[5]->hide();

    trigStatusImage[0] = imageLabel(arrayName("trigStatusImage", 0), style()->standardIcon(QStyle::SP_DialogApplyButton),
                                    QStringLiteral("All required trigger(s) has been applied to this VOB"));
    trigStatusImage[1] = imageLabel(arrayName("trigStatusImage", 1), style()->standardIcon(QStyle::SP_DialogCancelButton),
                                    QStringLiteral("All required trigger(s) has NOT been applied to this VOB"));
    trigStatusImage[0]->hide();
    trigStatusImage[1]->hide();

    auto *titleRow = new QHBoxLayout;
    titleRow->addWidget(trigLbl[0]);
    titleRow->addStretch();
    titleRow->addWidget(trigStatusImage[0]);
    titleRow->addWidget(trigStatusImage[1]);
    layout->addLayout(titleRow, 0, 0, 1, 3);

    layout->addWidget(trigLbl[1], 1, 0, 1, 3);
    trigLocationTxt = textBox(QStringLiteral("trigLocationTxt"), QStringLiteral("<trigger_location>"),
                              QStringLiteral("Location to store / copy trigger.  This location should be accessible by all users of the VOB from Windows client."));
    trigLocationUnixTxt = textBox(QStringLiteral("trigLocationUnixTxt"), QStringLiteral("<trigger_location>"),
                                  QStringLiteral("(Unix) Location to store / copy trigger on Unix.  Must be absolute path accessible by all clients."));
    trigLocationUnixTxt->setReadOnly(true);
    trigLocationUnixTxt->hide();
    txtUnixWork = textBox(QStringLiteral("txtUnixWork"), QString());
    txtUnixWork->hide();
    layout->addWidget(trigLbl[4], 2, 0);
    layout->addWidget(trigLocationTxt, 2, 1, 1, 2);
    layout->addWidget(trigLbl[5], 3, 0);
    layout->addWidget(trigLocationUnixTxt, 3, 1, 1, 2);
    layout->addWidget(txtUnixWork, 4, 1, 1, 2);

    interopSupportCB = named(new QCheckBox(QStringLiteral("Interop Support")), QStringLiteral("interopSupportCB"),
                             QStringLiteral("Check this box if the VOB is an interop VOB (unix and windows)"));
    checkboxUnixOrWindowsLocation = named(new QCheckBox(QStringLiteral("Specify different locations to copy triggers for Unix and Windows.")),
                                          QStringLiteral("checkboxUnixOrWindowsLocation"),
                                          QStringLiteral("Default is to copy only to the Unix location.  In interop, it is assumed that the triggers will be stored on the Unix platform, accessible by all clients."));
    checkboxUnixOrWindowsLocation->hide();
    layout->addWidget(interopSupportCB, 5, 0, 1, 3);
    layout->addWidget(checkboxUnixOrWindowsLocation, 6, 0, 1, 3);

    layout->addWidget(trigLbl[3], 7, 0);
    adminUsersTxt = textBox(QStringLiteral("adminUsersTxt"), QStringLiteral("<admin_users_list>"),
                            QStringLiteral("Administrative users can override all restrictions (e.g., user1,user2,...,userN)"));
    layout->addWidget(adminUsersTxt, 7, 1, 1, 2);

    layout->addWidget(trigLbl[2], 8, 0);
    trigNamesCombo = named(new QComboBox, QStringLiteral("trigNamesCombo"), QStringLiteral("Triggers that will be installed."));
    butTriggerDetail = button(QStringLiteral("butTriggerDetail"), QStringLiteral("Detail..."), QStringLiteral("See detail for trigger"));
    layout->addWidget(trigNamesCombo, 8, 1);
    layout->addWidget(butTriggerDetail, 8, 2);

    auto *buttons = new QHBoxLayout;
    applyTriggerBut = button(QStringLiteral("applyTriggerBut"), QStringLiteral("Apply Trigger"));
    removeAllTriggersBut = button(QStringLiteral("removeAllTriggersBut"), QStringLiteral("Remove Triggers"),
                                  QStringLiteral("Remove Zan triggers from this VOB (listed in the \"Trigger Names:\" pull-down list)"));
    removeAllTriggersBut->hide();
    buttons->addStretch();
    buttons->addWidget(applyTriggerBut);
    buttons->addWidget(removeAllTriggersBut);
    layout->addLayout(buttons, 9, 0, 1, 3);
    privListWarningLbl = label(QStringLiteral("privListWarningLbl"), QString());
    privListWarningLbl->setWordWrap(true);
    privListWarningLbl->setStyleSheet(QStringLiteral("color: #b00000;"));
    privListWarningLbl->hide();
    layout->addWidget(privListWarningLbl, 10, 0, 1, 3);
    layout->setRowStretch(11, 1);
    layout->setColumnStretch(1, 1);
    return tab;
}

void MainWindow::buildMenus()
{
    auto action = [this](QMenu *menu, const char *name, const QString &caption) {
        QAction *a = menu->addAction(caption);
        a->setObjectName(QLatin1String(name));
        return a;
    };
    File = menuBar()->addMenu(QStringLiteral("File"));
    File->setObjectName(QStringLiteral("File"));
    loadConfigFile = action(File, "loadConfigFile", QStringLiteral("Load Config File"));
    saveConfigToFile = action(File, "saveConfigToFile", QStringLiteral("Save Config to File"));
    File->addSeparator();
    Exit = action(File, "Exit", QStringLiteral("Exit"));

    options = menuBar()->addMenu(QStringLiteral("Options"));
    options->setObjectName(QStringLiteral("options"));
    settings = action(options, "settings", QStringLiteral("Settings"));

    help = menuBar()->addMenu(QStringLiteral("Help"));
    help->setObjectName(QStringLiteral("help"));
    GettingHelp = action(help, "GettingHelp", QStringLiteral("Getting Help from Korvane"));
    content = action(help, "content", QStringLiteral("Content"));
    about = action(help, "about", QStringLiteral("About"));

    tools = menuBar()->addMenu(QStringLiteral("Tools"));
    tools->setObjectName(QStringLiteral("tools"));
    explainAccess = action(tools, "explainAccess", QStringLiteral("Explain access…"));
    auditReport = action(tools, "auditReport", QStringLiteral("Audit report…"));
    refusedOperations = action(tools, "refusedOperations", QStringLiteral("Refused operations…"));
}

void MainWindow::buildStatusBar()
{
    statusBar()->setObjectName(QStringLiteral("statBar"));
    statusPanel = label(QStringLiteral("statBarPanel_1"), QStringLiteral("Status"));
    datePanel = label(QStringLiteral("Date"), QString());
    datePanel->setFrameShape(QFrame::StyledPanel);
    ProgressBar1 = named(new QProgressBar, QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setMaximumWidth(200);
    ProgressBar1->hide();
    progBarTimer = named(new QTimer(this), QStringLiteral("progBarTimer"));
    statusBar()->addWidget(statusPanel, 1);
    statusBar()->addWidget(ProgressBar1);
    statusBar()->addPermanentWidget(datePanel, 1);
}

void MainWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        emit activated();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    emit unloading();
    event->accept();
}
