#pragma once

#include "access/AccessSettings.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QDateTime>
#include <QJsonValue>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class CliContext;
class TargetPattern;

// One zanctl subcommand: its name, a one-line description, its positional arguments and
// options, and execute(), which gets the words from the subcommand's name on and returns
// the exit status. Usage errors and failures end with one line on stderr and status 2.
class ZanctlCommand
{
public:
    struct Positional {
        QString name;         // as shown in the synopsis: "PATH", "TARGET..."
        QString description;
    };

    static constexpr int failureStatus = 2;

    explicit ZanctlCommand(CliContext &context) : m_ctx(context) {}
    virtual ~ZanctlCommand() = default;

    virtual QString name() const = 0;
    virtual QString description() const = 0;
    virtual QList<Positional> positionals() const = 0;
    virtual QList<QCommandLineOption> options() const { return {}; }
    // Commands that print records also take --json.
    virtual bool printsRecords() const { return false; }

    virtual int execute(const QStringList &arguments) = 0;

    static QString version();

protected:
    // Sets the parser up and parses. Returns the status to end with for --help, --version and
    // usage errors (the positional count outside [least, most]; most < 0 means no limit),
    // nothing when the command goes on.
    std::optional<int> parse(const QStringList &arguments, QCommandLineParser &parser, int least, int most);
    // One line on stderr ("zanctl <name>: <text>"); returns the failure status.
    int fail(const QString &text);
    // The positional arguments after the subcommand's name.
    static QStringList operands(const QCommandLineParser &parser) { return parser.positionalArguments(); }
    // "zanctl <name> [options] <positionals>".
    QString usage() const;
    // --since DATE: "Only the <what> from DATE on ...".
    static inline const QString sinceOption = QStringLiteral("since");
    static QCommandLineOption sinceOptionFor(const QString &what);
    // YYYY-MM-DD, YYYY-MM-DDThh:mm[:ss] or YYYY-MM-DD hh:mm[:ss], local time; invalid for other text.
    static QDateTime parseSince(const QString &text);
    // The --since date into `since` (left invalid when the option is not given); the failure
    // status for a text that is no date.
    std::optional<int> readSince(const QCommandLineParser &parser, QDateTime &since);
    // " Did you mean --json? ..." after a parse that met an unknown option close to a known one.
    QString nearestOptionHint(const QCommandLineParser &parser) const;
    bool json(const QCommandLineParser &parser) const { return printsRecords() && parser.isSet(QStringLiteral("json")); }
    void printJson(const QJsonValue &value);
    // The element, VOB root and VOB tag a path names. The backend is opened first: it tells
    // whether the site's paths are UNIX or Windows ones.
    ElementLocation locate(const QString &path);
    // The VOB a path lies in, for commands that cover a whole VOB; a path below the VOB root
    // is taken for its VOB, with a note on stderr saying what `covers` the whole VOB.
    ElementLocation locateVob(const QString &path, const QString &covers);
    // The path as typed, in the site's form (TypedPath); opens the backend first.
    QString sitePath(const QString &typed);
    // The root of every VOB the site lists, in the view `pathInView` lies in (the current
    // folder when ""). Throws ZanError when that is in no view.
    QStringList siteVobRoots(const QString &pathInView);
    // The elements --under DIR [--match GLOB]... [--files-only] names (TargetPattern); none
    // without --under. Throws ZanError when the pattern names nothing.
    QStringList patternTargets(const TargetPattern &pattern);

    CliContext &m_ctx;
};
