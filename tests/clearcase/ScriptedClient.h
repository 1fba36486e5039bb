#pragma once

// A cleartool client of the kind scripts use: one "cleartool -status" co-process for the
// whole session, one command line written at a time, its answer read up to the status line
// (stdout and stderr merged, as wrappers read them), arguments quoted as a UNIX wrapper does.
#include "support/EmulatorBackend.h"

#include <QProcess>
#include <QRegularExpression>

#include <algorithm>

#include <gtest/gtest.h>

struct ClientAnswer {
    int status = -1;
    QString output;
};

class ScriptedClient
{
public:
    ScriptedClient(const QString &sandboxFolder, const QString &user, const QString &workingFolder = {})
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("ZAN_SANDBOX"), sandboxFolder);
        environment.insert(QStringLiteral("CLEARCASE_USER"), user);
        // PWD keeps the view's path where the system's answer would follow the VOB's link.
        environment.insert(QStringLiteral("PWD"), workingFolder);
        m_process.setProcessEnvironment(environment);
        if (!workingFolder.isEmpty())
            m_process.setWorkingDirectory(workingFolder);
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.start(emulatorProgram(), {QStringLiteral("-status")});
        EXPECT_TRUE(m_process.waitForStarted()) << m_process.errorString().toStdString();
    }

    ~ScriptedClient()
    {
        m_process.write("exit\n");
        m_process.closeWriteChannel();
        m_process.waitForFinished(10000);
    }

    // Argv's rule: '...' around text with blanks or []()*"'?; "..." when it holds a ' but no
    // "; with both, a backslash before every character that is not a letter or digit.
    static QString quoted(const QString &word)
    {
        static const QRegularExpression special(QStringLiteral("[\\s\\[\\]()*\"'?]"));
        if (!word.isEmpty() && !word.contains(special))
            return word;
        if (!word.contains(QLatin1Char('\'')))
            return QLatin1Char('\'') + word + QLatin1Char('\'');
        if (!word.contains(QLatin1Char('"')))
            return QLatin1Char('"') + word + QLatin1Char('"');
        QString escaped;
        for (const QChar c : word)
            escaped += (c.isLetterOrNumber() ? QString() : QStringLiteral("\\")) + c;
        return escaped;
    }

    ClientAnswer run(QStringList words)
    {
        std::transform(words.begin(), words.end(), words.begin(), quoted);
        return runLine(words.join(QLatin1Char(' ')));
    }

    // The status line may follow output that ends without a line break.
    ClientAnswer runLine(const QString &line)
    {
        static const QRegularExpression statusLine(QStringLiteral("Command (\\d+) returned status (\\d+)\\n"));
        m_process.write(line.toLocal8Bit() + '\n');
        QRegularExpressionMatch match;
        while (!(match = statusLine.match(m_buffer)).hasMatch()) {
            if (!m_process.waitForReadyRead(60000)) {
                ADD_FAILURE() << "no answer to: " << line.toStdString() << "\n" << m_buffer.toStdString();
                return {};
            }
            m_buffer += QString::fromLocal8Bit(m_process.readAll());
        }
        const ClientAnswer answer{match.captured(2).toInt(), m_buffer.left(match.capturedStart())};
        m_buffer = m_buffer.mid(match.capturedEnd());
        return answer;
    }

private:
    QProcess m_process;
    QString m_buffer;
};
