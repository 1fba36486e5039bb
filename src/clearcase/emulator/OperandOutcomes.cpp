#include "clearcase/emulator/OperandOutcomes.h"

#include "clearcase/emulator/PartialFailure.h"

OperandOutcomes::OperandOutcomes() : m_stopAtFirst(stopsAtFirstFailure()) {}

bool OperandOutcomes::stopsAtFirstFailure()
{
    return qEnvironmentVariable("ZAN_SIM_STOP_AT_FIRST_FAILURE") == QLatin1String("1");
}

bool OperandOutcomes::run(const std::function<QString()> &work)
{
    if (m_stopped)
        return false;
    try {
        m_output += work();
    } catch (const PartialFailure &e) {
        m_output += e.output();
        return fail(e.description());
    } catch (const ZanError &e) {
        return fail(e.description());
    }
    return true;
}

bool OperandOutcomes::fail(const QString &errorLines)
{
    m_errors << errorLines;
    m_stopped = m_stopAtFirst;
    return !m_stopped;
}

QString OperandOutcomes::finish() const
{
    if (m_errors.isEmpty())
        return m_output;
    throw PartialFailure(m_output, m_errors.join(QLatin1Char('\n')));
}
