#pragma once

#include "clearcase/sandbox/SandboxCommands.h"
#include "clearcase/sandbox/SandboxPathResolver.h"

#include <QString>
#include <QStringList>

class EmulatorArguments;
class SandboxStore;
struct AttributeInfo;

// The cleartool commands the emulator speaks, over the sandbox store. It extends the
// sandbox's own interpreter (startview, mktrtype) with lsview, lsvob, describe, lstype,
// mkattype, mkattr, rmattr, rmtype and catcs, in cleartool's syntax, output shapes and
// error lines. Adding a command is one registration in the constructor; a guarded
// operation would register a handler that first runs the VOB's pre-operation triggers.
class EmulatorCommands
{
public:
    EmulatorCommands(SandboxStore &store, QString userName, QString localHost);

    // Runs one command given as words (the first is the command name, abbreviations
    // allowed). Returns its output; a failure throws ZanError holding the error lines.
    QString run(const QStringList &words);
    // Splits the line with cleartool's own parser first.
    QString run(const QString &commandLine);
    // A command line as the site's cleartool splits it (UNIX escapes on a UNIX-style site).
    QStringList split(const QString &commandLine) const;

private:
    // One object named on a describe or lstype command line.
    struct Described {
        QString kind;         // %m: "version", "directory version", "view private object", ...
        QString name;         // %n
        QString elementName;  // %En
        QString versionId;    // %Vn
        QString vobTag;
        QString elementPath;  // relative to the VOB root; only for versions
        QString comment;
        bool isVersion = false;
    };

    QString lsview(const QStringList &words);
    QString lsvob(const QStringList &words);
    QString describe(const QStringList &words);
    QString lstype(const QStringList &words);
    QString mkattype(const QStringList &words);
    QString mkattr(const QStringList &words);
    QString rmattr(const QStringList &words);
    QString rmtype(const QStringList &words);
    QString mktrtype(const QStringList &words);
    QString catcs(const QStringList &words);

    Described describeTarget(const QString &operand);
    Described describePname(const QString &pname);
    Described describeType(const QString &kind, const QString &name, const QString &vobTag);
    QString describeOne(const EmulatorArguments &args, const QString &operand);
    QString formatted(const QString &format, const Described &object);
    QString attributeSection(const Described &object, const QString &selection);
    QString attributeList(const Described &object, const QString &only);
    QString attributeValueText(const QString &vobTag, const AttributeInfo &attribute);
    QStringList typeNamesOfKind(const QString &kind, const QString &vobTag);

    QString viewHost(const QString &host) const;
    QString versionZero() const;
    QString storagePath(const QString &host, const QString &folder, const QString &name) const;

    SandboxStore &m_store;
    SiteStyle m_site; // the sandbox's style: how paths and versions are printed
    QString m_user;
    QString m_localHost;
    SandboxPathResolver m_resolver;
    SandboxCommands m_commands;  // the sandbox's interpreter, extended with the commands above
    SandboxCommands m_plainCommands; // the sandbox's own mktrtype, run once its triggers allow it
};
