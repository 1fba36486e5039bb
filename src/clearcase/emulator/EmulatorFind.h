#pragma once

#include "clearcase/emulator/FindQuery.h"
#include "clearcase/sandbox/SandboxRecords.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class EmulatorArguments;
class SandboxPathResolver;
class SandboxStore;

// cleartool find over the sandbox's elements:
//   find {PNAME... | -all | -avobs} [-directory] [-element QUERY] [-version QUERY] [-nxname]
//        {-print | -exec COMMAND}
// A directory pname takes in everything below it; -all is the working directory's VOB, -avobs
// every VOB, named as full pathnames in the working directory's view. Without -version an
// element prints as NAME@@, with it each matching version as NAME@@/main/N; -nxname leaves
// the extension out. -exec runs the command in the system's shell once per name, with
// CLEARCASE_PN (the name) and CLEARCASE_XPN (the extended name) set.
//
// The sandbox keeps attributes per element; a version query asks of each version the
// attributes whose latest mkattr event named that version (those made before events were
// kept: /main/0).
class EmulatorFind
{
public:
    EmulatorFind(SandboxStore &store, SandboxPathResolver &resolver);

    QString find(const QStringList &words);

private:
    // Where a search starts: the elements it takes in and how their names are written.
    struct Start {
        QString vobTag;
        QString path;       // the pname's element ("" the VOB root)
        QString name;       // how that element is written
        bool onlyItself = false;
    };
    struct Hit {
        QString name;
        QString extended;
    };

    QList<Start> starts(const EmulatorArguments &args);
    Start wholeVob(const QString &vobTag);
    QList<Hit> hits(const Start &start, const std::optional<FindQuery> &elementQuery, const std::optional<FindQuery> &versionQuery,
                    bool extend);
    QString nameOf(const Start &start, const QString &path) const;
    FindQuery::Attributes printedAttributes(const QString &vobTag, const QList<AttributeInfo> &attributes);
    QString exec(const QString &command, const Hit &hit);

    SandboxStore &m_store;
    SandboxPathResolver &m_resolver;
};
