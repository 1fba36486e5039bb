#pragma once

#include "util/ZanError.h"

#include <QString>

class BusyState;
class Prompter;

// The two report forms every command handler ends with after a failure. Both leave the
// busy state first.
class ErrorReporter
{
public:
    ErrorReporter(Prompter &prompter, BusyState &busy);

    // Form 1: "ERROR::" + description, an optional line of the handler's own, then the
    // support line; title "ERROR...", exclamation icon.
    void reportWithSupportLine(const ZanError &error, const QString &extraLine = QString());

    // Form 2: the boxed critical report with the handler's fixed text.
    void reportBoxed(const ZanError &error, const QString &text);

    // The text of form 1, for tests and logs.
    static QString supportLineText(const ZanError &error, const QString &extraLine = QString());

private:
    Prompter &m_prompter;
    BusyState &m_busy;
};
