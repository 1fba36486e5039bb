#include "ImportCommand.h"

#include "CliContext.h"
#include "shell/SettingsStore.h"
#include "triggers/ConfigFile.h"

namespace {

QString problemOf(const ConfigFile::Parsed &parsed)
{
    switch (parsed.status) {
    case ConfigFile::Status::Empty:
        return QStringLiteral("the file is empty");
    case ConfigFile::Status::BadMarker:
        return QStringLiteral("it must be a file saved by Zan Utility (first line %1)").arg(ConfigFile::marker);
    case ConfigFile::Status::TooLarge:
        return QStringLiteral("the file is larger than %1 MB").arg(ConfigFile::maxFileSize >> 20);
    case ConfigFile::Status::NotText:
        return QStringLiteral("line %1 holds characters that are not text").arg(parsed.lineNumber);
    case ConfigFile::Status::LineTooLong:
        return QStringLiteral("line %1 is longer than %2 characters").arg(parsed.lineNumber).arg(ConfigFile::maxLineLength);
    case ConfigFile::Status::Ok:
        break;
    }
    return QString();
}

// Up to the end, but never more than `limit` + 1 bytes: enough for the parser to tell input
// over the limit. Standard input blocks until its writer writes or closes.
QByteArray readUpTo(QIODevice &device, qint64 limit)
{
    QByteArray content;
    while (content.size() <= limit) {
        const QByteArray chunk = device.read(limit + 1 - content.size());
        if (chunk.isEmpty())
            break;
        content += chunk;
    }
    return content;
}

} // namespace

std::optional<ConfigFile::Parsed> ImportCommand::load(const QString &path, QString &reason)
{
    if (path != QLatin1String("-"))
        return ConfigFile::load(path, reason);
    return ConfigFile::parse(readUpTo(m_ctx.in(), ConfigFile::maxFileSize));
}

int ImportCommand::execute(const QStringList &arguments)
{
    QCommandLineParser parser;
    if (const auto stop = parse(arguments, parser, 1, 1))
        return *stop;
    const QString path = operands(parser).first() == QLatin1String("-") ? QStringLiteral("standard input") : operands(parser).first();
    QString reason;
    const std::optional<ConfigFile::Parsed> loaded = load(operands(parser).first(), reason);
    if (!loaded)
        return fail(QStringLiteral("cannot open %1: %2").arg(path, reason));
    const ConfigFile::Parsed &parsed = *loaded;
    if (parsed.status != ConfigFile::Status::Ok)
        return fail(QStringLiteral("%1 is not a valid configuration file: %2; nothing was imported").arg(path, problemOf(parsed)));
    const ConfigFile::Storable settings = ConfigFile::storable(parsed.records);
    for (const QString &leftOut : settings.leftOut)
        m_ctx.err() << QStringLiteral("zanctl import: left out %1").arg(leftOut) << Qt::endl;
    ConfigFile::Records storable;
    for (const auto &record : settings.records) {
        if (record.first.isEmpty())
            m_ctx.err() << QStringLiteral("zanctl import: left out a record without a key (\":%1\")").arg(record.second) << Qt::endl;
        else
            storable << record;
    }
    m_ctx.store().setValues(storable); // one write for the whole file
    m_ctx.out() << QStringLiteral("%1 setting(s) imported into %2").arg(storable.size()).arg(m_ctx.store().filePath()) << Qt::endl;
    return 0;
}
