#pragma once

#include <QDialog>

// frmAbout: application title, version, and the ClearCase backend in use.
class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    AboutDialog(const QString &version, const QString &backend, QWidget *parent = nullptr);
};
