#include "clearcase/SiteStyle.h"

#include "util/ZanError.h"

namespace {

const QString kUnixViewRoot = QStringLiteral("/view");

} // namespace

SiteStyle::SiteStyle(Kind kind, QStringList vobTags) : m_kind(kind), m_vobTags(std::move(vobTags)) {}

std::optional<SiteStyle::Kind> SiteStyle::fromSetting(const QString &value)
{
    const QString text = value.trimmed().toLower();
    if (text.isEmpty())
        return std::nullopt;
    if (text == name(Kind::Windows))
        return Kind::Windows;
    if (text == name(Kind::Unix))
        return Kind::Unix;
    throw ZanError(ZanError::General, QStringLiteral("ClearCase"),
                   QStringLiteral("ZAN_SITE_STYLE must be \"windows\" or \"unix\", not \"%1\".").arg(text));
}

std::optional<SiteStyle::Kind> SiteStyle::fromVobTags(const QStringList &vobTags)
{
    for (const QString &tag : vobTags) {
        if (tag.startsWith(QLatin1Char('/')))
            return Kind::Unix;
        if (tag.startsWith(QLatin1Char('\\')))
            return Kind::Windows;
    }
    return std::nullopt;
}

QString SiteStyle::name(Kind kind) { return kind == Kind::Unix ? QStringLiteral("unix") : QStringLiteral("windows"); }

QChar SiteStyle::separator() const { return isUnix() ? QLatin1Char('/') : QLatin1Char('\\'); }

Qt::CaseSensitivity SiteStyle::caseSensitivity() const { return isUnix() ? Qt::CaseSensitive : Qt::CaseInsensitive; }

QString SiteStyle::viewRoot() const { return isUnix() ? kUnixViewRoot : QString(); }

QString SiteStyle::treeRoot(const QString &driveLetter) const
{
    return isUnix() ? kUnixViewRoot : driveLetter + QLatin1Char(':');
}

QString SiteStyle::join(const QString &parent, const QString &name) const { return parent + separator() + name; }

QString SiteStyle::lastComponent(const QString &path) const
{
    return path.mid(path.lastIndexOf(separator()) + 1).trimmed();
}

QString SiteStyle::unixPathInView(const QString &path) const
{
    if (!path.startsWith(kUnixViewRoot + QLatin1Char('/')))
        return QString();
    const int afterTag = path.indexOf(QLatin1Char('/'), kUnixViewRoot.size() + 1);
    return afterTag < 0 ? QString() : path.mid(afterTag);
}

QString SiteStyle::viewTagOf(const QString &path) const
{
    if (isUnix())
        return path.startsWith(kUnixViewRoot + QLatin1Char('/')) ? path.section(QLatin1Char('/'), 2, 2) : QString();
    const QStringList parts = path.split(QLatin1Char('\\'));
    return parts.size() >= 2 && parts.at(0).endsWith(QLatin1Char(':')) ? parts.at(1) : QString();
}

// Without a list of tags (the site could not be asked) the usual two-component layout
// /vobs/<name> is assumed.
QString SiteStyle::unixVobTagOf(const QString &pathInView) const
{
    if (m_vobTags.isEmpty()) {
        const QString tag = pathInView.section(QLatin1Char('/'), 0, 2);
        return tag.count(QLatin1Char('/')) == 2 && !tag.endsWith(QLatin1Char('/')) ? tag : QString();
    }
    QString found;
    for (const QString &tag : m_vobTags) {
        const bool within = pathInView == tag || pathInView.startsWith(tag + QLatin1Char('/'));
        if (within && tag.size() > found.size())
            found = tag;
    }
    return found;
}

QString SiteStyle::vobTagOf(const QString &path) const
{
    if (isUnix())
        return unixVobTagOf(unixPathInView(path));
    const QStringList parts = path.split(QLatin1Char('\\'));
    if (parts.size() == 1)
        return QStringLiteral("\\");
    if (parts.size() == 2)
        throw ZanError(9, QStringLiteral("frmMain"), QStringLiteral("Subscript out of range"));
    return QLatin1Char('\\') + parts.at(2);
}

bool SiteStyle::isVobRoot(const QString &path) const
{
    if (isUnix()) {
        const QString inView = unixPathInView(path);
        return !inView.isEmpty() && unixVobTagOf(inView) == inView;
    }
    const QStringList parts = path.split(QLatin1Char('\\'));
    return parts.size() == 3 && !parts.at(2).isEmpty();
}

QString SiteStyle::vobRootOf(const QString &path) const
{
    if (isUnix()) {
        const QString tag = unixVobTagOf(unixPathInView(path));
        return tag.isEmpty() ? QString() : kUnixViewRoot + QLatin1Char('/') + viewTagOf(path) + tag;
    }
    const int colon = path.indexOf(QLatin1Char(':'));
    if (colon < 0)
        return QString();
    const QStringList pieces = path.split(QLatin1Char('\\'));
    const bool enough = pieces.size() >= 3;
    const QString viewTag = enough ? pieces.at(1) : QString();
    const QString vobName = enough ? pieces.at(2) : QString();
    return path.left(colon) + QStringLiteral(":\\") + viewTag + QLatin1Char('\\') + vobName;
}

QString SiteStyle::vobRootElement(const QString &vobRoot) const { return vobRoot + separator() + QLatin1Char('.'); }
