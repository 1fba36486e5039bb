#include "ImportCommand.h"

#include "CliContext.h"
#include "shell/SettingsStore.h"
#include "triggers/ConfigFile.h"

#include <QFile>
#include <QFileInfo>

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

} // namespace

int ImportCommand::execute(const QStringList &arguments)
{
    QCommandLineParser parser;
    if (const auto stop = parse(arguments, parser, 1, 1))
        return *stop;
    const QString path = operands(parser).first();
    QFile file(path);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot open %1: %2").arg(path, QFileInfo(path).isDir() ? QStringLiteral("it is a folder") : file.errorString()));
    const ConfigFile::Parsed parsed = ConfigFile::parse(file.read(ConfigFile::maxFileSize + 1));
    if (parsed.status != ConfigFile::Status::Ok)
        return fail(QStringLiteral("%1 is not a valid configuration file: %2; nothing was imported").arg(path, problemOf(parsed)));
    ConfigFile::Records storable;
    for (const auto &record : parsed.records) {
        if (record.first.isEmpty())
            m_ctx.err() << QStringLiteral("zanctl import: left out a record without a key (\":%1\")").arg(record.second) << Qt::endl;
        else
            storable << record;
    }
    m_ctx.store().setValues(storable); // one write for the whole file
    m_ctx.out() << QStringLiteral("%1 setting(s) imported into %2").arg(storable.size()).arg(m_ctx.store().filePath()) << Qt::endl;
    return 0;
}
