#pragma once

#include "clearcase/sandbox/SandboxHistory.h"
#include "clearcase/emulator/EmulatorSyntax.h"
#include "clearcase/emulator/EmulatorTypes.h"
#include "clearcase/sandbox/SandboxCommands.h"
#include "clearcase/sandbox/SandboxPathResolver.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class EmulatorArguments;
class SandboxStore;
struct AttributeInfo;

// The cleartool commands the emulator speaks, over the sandbox store. It extends the
// sandbox's own interpreter (startview, mktrtype) with lsview, lsvob, describe, lstype,
// mkattype, mkattr, rmattr, rmtype, catcs, cd, pwd, pwv, ls, chevent, help and -version (and,
// through EmulatorListings, lsco, lshistory and lslock; through EmulatorFind, find), and
// refuses setview, in cleartool's syntax, output shapes and
// error lines. Command names and options are read by EmulatorSyntax's
// table (abbreviations, comment defaults). Adding a command is one registration in the
// constructor and one row in that table. The working directory starts as the process's
// (when it lies in a view) and moves with cd; relative pathnames start from it.
class EmulatorCommands
{
public:
    // The release -version reports.
    static constexpr const char *emulatedVersion = "9.0.2.0";

    EmulatorCommands(SandboxStore &store, QString userName, QString localHost);

    // Runs one command given as words (the first is the command name, abbreviations
    // allowed). Returns its output; a failure throws ZanError holding the error lines.
    QString run(const QStringList &words);
    // Splits the line with cleartool's own parser first.
    QString run(const QString &commandLine);
    // A command line as the site's cleartool splits it (UNIX escapes on a UNIX-style site).
    QStringList split(const QString &commandLine) const;

private:
    // One object named on a describe, lstype or mkattr command line.
    struct Described {
        QString kind;         // %m: "version", "directory version", "label type", ...
        QString name;         // %n
        QString elementName;  // %En
        QString versionId;    // %Vn
        QString selector;     // a version's "/main/3" or "/main/CHECKEDOUT"
        QString predecessor;  // %PVn: "/main/2" (the checkout's: the latest); "" for /main/0
        QString viewTag;      // the view a version was selected in
        QString vobTag;
        QString attributeKey; // where its attributes are kept ("" is the VOB root's version)
        bool hasAttributes = false;
        QString comment;
        QDateTime created;    // %d
        QString creator;      // %u
        QString owner;        // %[owner]p
        QString operation;    // %o: the operation that made it
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
    QString cd(const QStringList &words);
    QString pwd(const QStringList &words);
    QString pwv(const QStringList &words);
    QString ls(const QStringList &words);
    QString help(const QStringList &words);
    QString chevent(const QStringList &words);
    [[noreturn]] QString setview(const QStringList &words);
    std::optional<QString> usageOrVersion(const QStringList &words, const EmulatorSyntax::Command *command);

    Described describeTarget(const QString &operand);
    Described describePname(const QString &pname, bool withFileFacts);
    Described describeType(const QString &kind, const QString &name, const QString &vobTag);
    Described attributeTarget(const QString &operand, const QString &version);
    QString describeOne(const EmulatorArguments &args, const QString &operand);
    void addVersionEvent(Described &object);
    SandboxEvent makingEvent(const Described &object);
    QString formatted(const QString &format, const Described &object);
    QString attributeSection(const Described &object, const QString &selection);
    QString attributeList(const Described &object, const QString &only, const QString &modifiers);
    QString reservedState(const Described &object);
    QString predecessorOf(const SandboxPathResolver::Element &element, const QString &selector);
    QString attributeValueText(const QString &vobTag, const AttributeInfo &attribute);
    QString listed(const QString &name, const SandboxPathResolver::Element &element, bool shortForm);

    QString initialWorkingDirectory() const;
    QString viewHost(const QString &host) const;
    QString vobOwner(const QString &vobTag);
    const QList<SandboxAttributeType> &attributeTypes(const QString &vobTag);
    // An attribute command's object, or the error lines of an operand that names none.
    struct AttributeTarget {
        Described object;
        QString error;
    };
    QList<AttributeTarget> attributeTargets(const EmulatorArguments &args, int leading);
    void requireValueFits(const QString &vobTag, const QString &typeName, const QString &valueText, const QString &failed);
    // What an attribute command does with its objects: `expect` sees them all first, `write`
    // takes each in turn and may queue its write, `writeQueued` writes what was queued.
    struct AttributeWrites {
        std::function<void(const QList<Described> &)> expect;
        std::function<QString(const Described &)> write;
        std::function<void()> writeQueued;
    };
    // Finds every object after the leading operands, then writes each, all in one store
    // transaction. An object not found or a write that fails is reported and the others go
    // on (OperandOutcomes: or the first failure stops the rest, those before it staying
    // written); the errors are thrown after the commit.
    QString writeEach(const EmulatorArguments &args, int leading, const AttributeWrites &writes);
    QString storagePath(const QString &host, const QString &folder, const QString &name) const;
    QString viewStorage(const QString &viewTag);
    QString selectedVersion(const SandboxPathResolver::Element &element);
    QList<AttributeInfo> attributesOf(const Described &object);
    void expectVersionFacts(const QStringList &pnames, bool attributesToo);

    SandboxStore &m_store;
    SiteStyle m_site; // the sandbox's style: how paths and versions are printed
    QString m_user;
    QString m_localHost;
    SandboxPathResolver m_resolver;
    EmulatorTypes m_types;
    SandboxHistory m_history;
    SandboxCommands m_commands;  // the sandbox's interpreter, extended with the commands above
    SandboxCommands m_plainCommands; // the sandbox's own mktrtype, run once its triggers allow it
    // Read once per command: owners of VOB folders (a user-database lookup) and attribute types.
    QHash<QString, QString> m_ownerOfVob;
    QHash<QString, QList<SandboxAttributeType>> m_attributeTypesOfVob;
    // Found by expectVersionFacts: selected versions per view, VOB and path; attributes per
    // VOB and path.
    QHash<QString, QString> m_selectedVersions;
    QHash<QString, QList<AttributeInfo>> m_attributesOf;
};
