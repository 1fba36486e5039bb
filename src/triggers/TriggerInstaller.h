#pragma once

#include "triggers/ScriptDeployment.h"
#include "triggers/TriggerCommandLines.h"
#include "util/ZanError.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class ClearCase;
class Platform;

// The installation of the security triggers in one VOB, whichever face asks for it: the
// checks of the inputs, the copy of the script to where the actions run it, and the
// cleartool steps of an install (an update is the same over existing types) and of a
// removal, in their order. Questions are left to the face: a location this machine cannot
// reach comes back as data.
class TriggerInstaller
{
public:
    struct Request {
        TriggerCommandLines::Inputs inputs;
        QString vobTag;
        QString vobRoot;
        bool ucm = false;              // the VOB's UCM objects get the UCM trigger alone
        bool separateUnixLocation = false;
        QString privilegedList;        // recorded in the VOB for the script
    };
    // A check that refuses the inputs, in the window's words.
    struct Refusal {
        QString text;
        QString title;
    };
    // One cleartool step: the line it stands for and what it does.
    struct Step {
        QString commandLine;
        std::function<void(ClearCase &)> run;
        QString reportAs; // the type a failure is reported under
    };
    struct Failure {
        QString reportAs;
        ZanError error;
    };
    // The tool's trigger types a VOB has, and whether they run what an install makes now.
    struct Status {
        QStringList present;
        QStringList differing; // present, with other actions than an install would give
        bool applied() const { return present.size() >= 2; }
    };

    static inline const QStringList triggerNames = {TriggerCommandLines::elementTriggerName,
                                                    TriggerCommandLines::typeTriggerName,
                                                    TriggerCommandLines::ucmTriggerName};

    explicit TriggerInstaller(Request request);

    const TriggerCommandLines &commandLines() const { return m_lines; }
    const Request &request() const { return m_request; }

    std::optional<Refusal> refusal() const;
    // A separate Unix location without "/net" may not be absolute: said, not refused.
    QString unixPathWarning() const;
    // Where the script goes: the Windows location, and the Unix one in interop mode.
    QStringList scriptLocations() const;
    ScriptDeployment::Outcome deployScript(Platform &platform, const QString &source) const;

    // The steps that make the types anew (old ones removed first); reads what the VOB has.
    QList<Step> installSteps(ClearCase &clearCase) const;
    static QList<Step> removalSteps(ClearCase &clearCase, const QString &vobTag);
    // Runs the steps in order. A failing step of the list's recording ends only that
    // recording; any other failure ends the run.
    static QList<Failure> run(ClearCase &clearCase, const QList<Step> &steps);

    Status status(ClearCase &clearCase, const Platform &platform) const;

    // The texts every face shows: the script missing beside the program, a copy that failed,
    // the question about locations this machine cannot reach, and the removal warning.
    static QString missingScript();
    static QString copyFailure(const QStringList &locations);
    static QString unreachableQuestion(const QList<ScriptDeployment::Unreachable> &locations);
    static QString removalWarning(const QString &vobTag);

private:
    TriggerTypeDefinition definition() const;
    void addRecording(ClearCase &clearCase, QList<Step> &steps) const;

    Request m_request;
    TriggerCommandLines m_lines;
};
