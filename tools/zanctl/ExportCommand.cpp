#include "ExportCommand.h"

#include "CliContext.h"
#include "shell/SettingsStore.h"
#include "triggers/ConfigFile.h"

#include <QSaveFile>

int ExportCommand::execute(const QStringList &arguments)
{
    QCommandLineParser parser;
    if (const auto stop = parse(arguments, parser, 1, 1))
        return *stop;
    const QString path = operands(parser).first();
    const ConfigFile::Records settings = m_ctx.store().entries();
    if (settings.isEmpty())
        return fail(QStringLiteral("there are no settings to save in %1").arg(m_ctx.store().filePath()));
    const ConfigFile::Composed composed = ConfigFile::compose(settings);
    const qsizetype saved = settings.size() - composed.leftOut.size();
    if (path == QLatin1String("-")) {
        m_ctx.out() << QString::fromUtf8(composed.content) << Qt::flush;
        reportLeftOut(composed);
        m_ctx.err() << QStringLiteral("%1 setting(s) written to standard output").arg(saved) << Qt::endl;
        return 0;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(composed.content) != composed.content.size() || !file.commit())
        return fail(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
    reportLeftOut(composed);
    m_ctx.out() << QStringLiteral("%1 setting(s) saved to %2").arg(saved).arg(path) << Qt::endl;
    return 0;
}

void ExportCommand::reportLeftOut(const ConfigFile::Composed &composed)
{
    for (const QString &key : composed.leftOut)
        m_ctx.err() << QStringLiteral("zanctl export: left out \"%1\": a key with \":\" or a line break does not read back the same")
                           .arg(QString(key).replace(QLatin1Char('\n'), QLatin1String("\\n")))
                    << Qt::endl;
}
