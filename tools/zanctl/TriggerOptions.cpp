#include "TriggerOptions.h"

#include "access/OperationsCatalogue.h"
#include "clearcase/ClearCase.h"
#include "clearcase/SiteStyle.h"
#include "platform/Platform.h"
#include "shell/SettingsStore.h"
#include "triggers/TriggerPaths.h"
#include "util/ZanError.h"

#include <QDate>
#include <QLocale>

namespace {

const QString locationOption = QStringLiteral("location");
const QString unixLocationOption = QStringLiteral("unix-location");
const QString interopOption = QStringLiteral("interop");
const QString noInteropOption = QStringLiteral("no-interop");
const QString adminsOption = QStringLiteral("admins");

std::optional<QString> valueIfSet(const QCommandLineParser &parser, const QString &option)
{
    return parser.isSet(option) ? std::optional<QString>(parser.value(option)) : std::nullopt;
}

bool isUcmProjectVob(ClearCase &clearCase, const QString &vobTag)
{
    try {
        clearCase.requireUcmProjectVob(vobTag);
        return true;
    } catch (const ZanError &) {
        return false; // the refusal is the answer: an ordinary VOB
    }
}

// The drive the script gets: the view root on a UNIX site, else the drive of the path.
QString viewDriveOf(const QString &vobRoot, const SiteStyle &site)
{
    return site.isUnix() ? site.viewRoot() : vobRoot.section(QLatin1Char(':'), 0, 0).toLower();
}

} // namespace

QList<QCommandLineOption> TriggerOptions::options()
{
    return {QCommandLineOption(locationOption, QStringLiteral("The Windows location of the script, e.g. \\\\myhost\\triggers."),
                               QStringLiteral("DIR")),
            QCommandLineOption(unixLocationOption,
                               QStringLiteral("In interop, a separate Unix location for the script, e.g. /net/myhost/triggers."),
                               QStringLiteral("DIR")),
            QCommandLineOption(interopOption, QStringLiteral("The VOB serves Windows and Unix clients.")),
            QCommandLineOption(noInteropOption, QStringLiteral("The VOB serves one kind of client.")),
            QCommandLineOption(adminsOption, QStringLiteral("The administrators, comma-separated; \"\" for none."), QStringLiteral("U,..."))};
}

TriggerOptions::TriggerOptions(const QCommandLineParser &parser)
    : m_location(valueIfSet(parser, locationOption)), m_unixLocation(valueIfSet(parser, unixLocationOption)),
      m_administrators(valueIfSet(parser, adminsOption)),
      m_bothInteropFlags(parser.isSet(interopOption) && parser.isSet(noInteropOption))
{
    if (parser.isSet(interopOption) || parser.isSet(noInteropOption))
        m_interop = parser.isSet(interopOption);
}

QString TriggerOptions::problem() const
{
    if (m_bothInteropFlags)
        return QStringLiteral("--interop and --no-interop contradict each other");
    if (m_unixLocation && m_interop == false)
        return QStringLiteral("--unix-location is for a VOB in interop: drop --no-interop");
    return QString();
}

StoredTriggerSettings TriggerOptions::settingsFor(const SettingsStore &store, const ElementLocation &vob) const
{
    StoredTriggerSettings settings = StoredTriggerSettings::load(store, vob.vobTag, vob.site);
    settings.windowsLocation = m_location.value_or(settings.windowsLocation);
    settings.administrators = m_administrators.value_or(settings.administrators);
    settings.interop = m_interop.value_or(settings.interop);
    if (m_unixLocation) {
        settings.unixLocation = *m_unixLocation;
        settings.separateUnixLocation = true;
    }
    // With one shared location the Unix clients reach the Windows one by its /net form.
    if (settings.interop && !settings.separateUnixLocation)
        settings.unixLocation = TriggerPaths::toUnixPath(settings.windowsLocation);
    return settings;
}

TriggerInstaller::Request TriggerOptions::requestFor(const ElementLocation &vob, const StoredTriggerSettings &settings,
                                                     const SettingsStore &store, const Platform &platform, ClearCase &clearCase)
{
    TriggerInstaller::Request request;
    TriggerCommandLines::Inputs &inputs = request.inputs;
    inputs.windowsLocation = settings.windowsLocation;
    inputs.unixLocation = settings.unixLocation;
    inputs.adminUsersText = settings.administrators;
    inputs.viewDrive = viewDriveOf(vob.vobRoot, vob.site);
    inputs.exemptUser = store.value(QStringLiteral("NUSERS")) == QLatin1String("1") ? platform.loginName() : QString();
    inputs.interop = settings.interop;
    inputs.date = QLocale().toString(QDate::currentDate(), QLocale::ShortFormat);
    inputs.unixSite = vob.site.isUnix();
    request.vobTag = vob.vobTag;
    request.vobRoot = vob.vobRoot;
    request.ucm = isUcmProjectVob(clearCase, vob.vobTag);
    request.separateUnixLocation = settings.interop && settings.separateUnixLocation;
    const QString privileged = store.value(QStringLiteral("PrivOper"));
    request.privilegedList = privileged.isEmpty() ? OperationsCatalogue::defaultPrivilegedList() : privileged;
    return request;
}
