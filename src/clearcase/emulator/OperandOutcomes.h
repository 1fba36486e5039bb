#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// What a command naming many operands makes of each: cleartool goes on past a failed
// operand, prints its error and ends with a failure status. With the environment variable
// ZAN_SIM_STOP_AT_FIRST_FAILURE=1 the command stops at the first failure instead, keeping
// what the operands before it did (the other behaviour clients must survive).
class OperandOutcomes
{
public:
    OperandOutcomes();

    static bool stopsAtFirstFailure();

    // Runs one operand's work and keeps its output, or its error lines when it throws
    // ZanError. Returns false once the command is to stop.
    bool run(const std::function<QString()> &work);
    // Records a failure found elsewhere; false once the command is to stop.
    bool fail(const QString &errorLines);
    bool stopped() const { return m_stopped; }
    bool failed() const { return !m_errors.isEmpty(); }

    // The output of all operands, or PartialFailure holding it and every error.
    QString finish() const;

private:
    bool m_stopAtFirst;
    bool m_stopped = false;
    QString m_output;
    QStringList m_errors;
};
