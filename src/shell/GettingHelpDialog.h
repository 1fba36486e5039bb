#pragma once

#include <QDialog>

// frmGettingHelp: the maker's contact data.
class GettingHelpDialog : public QDialog
{
    Q_OBJECT

public:
    explicit GettingHelpDialog(QWidget *parent = nullptr);
};
