#include "triggers/TriggerCommandLines.h"

#include "triggers/TriggerPaths.h"
#include "util/AppInfo.h"
#include "util/TextRoutines.h"

#include <QRegularExpression>

namespace {

const QChar quote = QLatin1Char('"');

QString quoted(const QString &text)
{
    return quote + text + quote;
}

bool breaksQuoting(const QString &text)
{
    return text.contains(quote) || text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
}

// The first character the shell running a trigger action (cmd on Windows clients, sh on
// Unix ones) would not hand on to the script as it stands: a blank or an invisible character
// of any script, or one the expression names.
char32_t firstUnsafe(const QString &text, const QRegularExpression &unsafe)
{
    if (const char32_t invisible = TriggerPaths::firstBlankOrControl(text))
        return invisible;
    const QRegularExpressionMatch match = unsafe.match(text);
    return match.hasMatch() ? match.captured().toUcs4().value(0) : 0;
}

// c:\x or c:/x: a drive of one Windows computer, which no Unix client can reach.
bool namesADrive(const QString &location)
{
    return location.size() >= 2 && location.at(0).isLetter() && location.at(0).unicode() < 0x80 && location.at(1) == QLatin1Char(':');
}

// An invisible character is named by its code, which the user can look for.
QString unsafeReason(char32_t character)
{
    const QString code = QStringLiteral(" (U+%1)").arg(uint(character), 4, 16, QLatin1Char('0')).toUpper();
    QString what;
    if (character == U' ')
        what = QStringLiteral("a blank");
    else if (QChar::isSpace(character))
        what = QStringLiteral("a blank") + code;
    else if (TriggerPaths::firstBlankOrControl(QString::fromUcs4(&character, 1)))
        what = QStringLiteral("an invisible control character") + code;
    else
        what = QStringLiteral("the character ") + QString::fromUcs4(&character, 1);
    return QStringLiteral("it contains ") + what + QStringLiteral(", which the trigger's command line cannot pass on.");
}

// Operation kinds, trigger kinds and firing as the automation library numbers them.
constexpr int allElementsKind = 2;
constexpr int allUcmObjectsKind = 4;
constexpr int preOperation = 1;
constexpr int modifyElem = 2;
constexpr int modifyData = 3;
constexpr int modifyMetadata = 4;
constexpr int modifyUcm = 88;

} // namespace

TriggerCommandLines::TriggerCommandLines(Inputs inputs) : m_in(std::move(inputs)) {}

QString TriggerCommandLines::adminList() const
{
    // Only the field's own hint ("<...>" as a whole) means no list was typed; a "<" inside a
    // typed list stays in it, so that the list is refused rather than silently dropped.
    const QString text = m_in.adminUsersText.trimmed();
    const bool hint = text.startsWith(QLatin1Char('<')) && text.endsWith(QLatin1Char('>'));
    return TextRoutines::replaceChar(QStringLiteral(" "), QString(), hint ? QString() : m_in.adminUsersText);
}

QString TriggerCommandLines::drive() const
{
    return m_in.viewDrive.isEmpty() ? QStringLiteral("m") : m_in.viewDrive;
}

QString TriggerCommandLines::windowsDrive() const
{
    return drive().startsWith(QLatin1Char('/')) ? QStringLiteral("m") : drive();
}

QString TriggerCommandLines::windowsCommand() const
{
    return QStringLiteral("ccperl ") + m_in.windowsLocation + QLatin1Char('\\') + scriptName + QLatin1Char(' ') + windowsDrive() +
           QLatin1Char(' ') + adminList();
}

QString TriggerCommandLines::unixCommand() const
{
    return QStringLiteral("perl ") + m_in.unixLocation + QLatin1Char('/') + scriptName + QLatin1Char(' ') + drive() +
           QLatin1Char(' ') + adminList();
}

QString TriggerCommandLines::singleCommand() const
{
    return m_in.unixSite ? unixCommand() : windowsCommand();
}

QString TriggerCommandLines::elementComment() const
{
    return QStringLiteral("Created by ") + AppInfo::title + QStringLiteral(" on ") + m_in.date +
           QStringLiteral(" * * DO NOT MODIFY OR DELETE * *");
}

QString TriggerCommandLines::ucmComment() const
{
    return QStringLiteral("UCM::") + elementComment();
}

void TriggerCommandLines::addActions(TriggerTypeDefinition &definition) const
{
    if (m_in.interop) {
        definition.actions.append({TriggerTypeDefinition::WindowsClients, windowsCommand()});
        definition.actions.append({TriggerTypeDefinition::UnixClients, unixCommand()});
    } else {
        definition.actions.append({TriggerTypeDefinition::AllClients, singleCommand()});
    }
}

TriggerTypeDefinition TriggerCommandLines::elementTrigger() const
{
    TriggerTypeDefinition definition;
    definition.name = elementTriggerName;
    definition.kind = allElementsKind;
    definition.firing = preOperation;
    if (!m_in.exemptUser.isEmpty())
        definition.exemptUsers = QStringList{m_in.exemptUser};
    definition.operationKinds = {modifyData, modifyElem, modifyMetadata};
    addActions(definition);
    definition.comment = elementComment();
    return definition;
}

TriggerTypeDefinition TriggerCommandLines::ucmTrigger() const
{
    TriggerTypeDefinition definition;
    definition.name = ucmTriggerName;
    definition.kind = allUcmObjectsKind;
    definition.firing = preOperation;
    definition.operationKinds = {modifyUcm};
    if (!m_in.exemptUser.isEmpty())
        definition.exemptUsers = QStringList{m_in.exemptUser};
    addActions(definition);
    definition.comment = ucmComment();
    return definition;
}

QString TriggerCommandLines::typeTriggerCommand(const QString &vobTag) const
{
    const QString exemption =
        m_in.exemptUser.isEmpty() ? QString() : QStringLiteral("-nusers ") + quoted(m_in.exemptUser) + QLatin1Char(' ');
    const QString actions =
        m_in.interop ? QStringLiteral("-execwin ") + quoted(windowsCommand()) + QStringLiteral(" -execunix ") +
                           quoted(unixCommand()) + QLatin1Char(' ')
                     : QStringLiteral("-exec ") + quoted(singleCommand()) + QLatin1Char(' ');
    return QStringLiteral("mktrtype -type -preop MODIFY_TYPE ") + exemption +
           QStringLiteral("-attype -all -brtype -all -eltype -all -hltype -all -lbtype -all -trtype -all") +
           QLatin1Char(' ') + actions + QStringLiteral(" -c ") + quoted(elementComment()) + QLatin1Char(' ') +
           typeTriggerName + QLatin1Char('@') + vobTag;
}

QString TriggerCommandLines::quotingProblem() const
{
    static const QRegularExpression unsafeInWindowsLocation(QStringLiteral("[\\s%^&|<>]"));
    static const QRegularExpression unsafeInUnixLocation(QStringLiteral("[\\s'`$&|;<>()\\\\*?\\[\\]#~]"));
    static const QRegularExpression unsafeInAdmins(QStringLiteral("[^\\p{L}\\p{N}._@\\\\,-]"));
    auto problem = [](const QString &field, const QString &reason) {
        return QStringLiteral("The ") + field + QStringLiteral(" cannot be written into the trigger command line: ") + reason +
               AppInfo::crlf + QStringLiteral("Please correct it and apply the triggers again.");
    };
    const QString quoteOrBreak = QStringLiteral("it contains a double quote or a line break.");
    const QString windowsField = QStringLiteral("Windows trigger location");
    const QString unixField = QStringLiteral("Unix trigger location");
    const QString adminsField = QStringLiteral("admin users list");
    // A UNIX site without Windows clients runs only the Unix command.
    const bool windowsClients = m_in.interop || !m_in.unixSite;
    const bool unixClients = m_in.interop || m_in.unixSite;
    if (windowsClients && breaksQuoting(m_in.windowsLocation))
        return problem(windowsField, quoteOrBreak);
    if (unixClients && breaksQuoting(m_in.unixLocation))
        return problem(unixField, quoteOrBreak);
    if (unixClients && namesADrive(m_in.unixLocation.trimmed()))
        return problem(unixField, QStringLiteral("it names a drive of a Windows computer (") + m_in.unixLocation.trimmed().left(2) +
                                      QStringLiteral("), which the Unix clients cannot reach; give a shared location such as "
                                                     "\\\\myhost\\triggers."));
    const QString admins = adminList();
    if (breaksQuoting(admins))
        return problem(adminsField, quoteOrBreak);
    if (admins.endsWith(QLatin1Char('\\')))
        return problem(adminsField, QStringLiteral("it ends with a backslash."));
    if (const char32_t c = firstUnsafe(m_in.windowsLocation, unsafeInWindowsLocation); windowsClients && c)
        return problem(windowsField, unsafeReason(c));
    if (const char32_t c = firstUnsafe(m_in.unixLocation, unsafeInUnixLocation); unixClients && c)
        return problem(unixField, unsafeReason(c));
    if (const char32_t c = firstUnsafe(admins, unsafeInAdmins); c)
        return problem(adminsField, unsafeReason(c));
    return QString();
}
