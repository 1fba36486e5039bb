#pragma once

#include "util/ZanError.h"

// A command that failed for some of its operands: the output made for the others travels
// with the error lines of the failed ones, so that both reach their streams and the command
// still ends with a failure status.
class PartialFailure : public ZanError
{
public:
    PartialFailure(QString output, const QString &errorLines)
        : ZanError(CommandFailure, QStringLiteral("cleartool"), errorLines), m_output(std::move(output))
    {
    }

    const QString &output() const { return m_output; }

private:
    QString m_output;
};
