#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// How the ClearCase site in use writes its paths, and every piece of path arithmetic that
// depends on it. Nothing else in the program splits or builds element paths by hand.
//
// Windows: m:\<view tag>\<vob>\dir\file, VOB tags "\" + one component, the view drive
//          letter chosen in the Settings dialog.
// UNIX:    /view/<view tag>/<vob tag>/dir/file, VOB tags absolute paths of any depth
//          (/vobs/proj, /vobs/a/b); the view root /view takes the drive's place.
//
// Version paths end in "@@/main/0" in both styles; the VOB root directory is written with
// an extra "." component (.../proj\.@@/main/0, /vobs/proj/.@@/main/0) because its parent
// lies outside the VOB.
class SiteStyle
{
public:
    enum class Kind { Windows, Unix };

    explicit SiteStyle(Kind kind = Kind::Windows, QStringList vobTags = {});

    // The value of ZAN_SITE_STYLE (windows|unix, any case); nothing when it is empty;
    // throws ZanError for any other text.
    static std::optional<Kind> fromSetting(const QString &value);
    // The style a site's VOB tags are written in: "/" tags mean UNIX. Nothing when the
    // list says nothing (no tags).
    static std::optional<Kind> fromVobTags(const QStringList &vobTags);
    static QString name(Kind kind);

    Kind kind() const { return m_kind; }
    bool isUnix() const { return m_kind == Kind::Unix; }
    QChar separator() const;
    // How element path components compare: Windows ClearCase ignores case, UNIX does not.
    Qt::CaseSensitivity caseSensitivity() const;

    // The site's VOB tags; on UNIX they decide where a VOB tag of several components ends.
    const QStringList &vobTags() const { return m_vobTags; }
    void setVobTags(const QStringList &tags) { m_vobTags = tags; }

    // "/view" on UNIX; "" on Windows, where the user picks the view drive.
    QString viewRoot() const;
    // Text of the tree's root node: the view root, or the drive letter + ":".
    QString treeRoot(const QString &driveLetter) const;
    QString join(const QString &parent, const QString &name) const;
    // The last component (a file's name, a VOB tag's last part).
    QString lastComponent(const QString &path) const;

    // The VOB tag a path lies in. Windows: "\" + the third component ("\" for a path
    // without separators; throws ZanError for one of exactly two components). UNIX: the
    // longest known tag the path goes through, "" when there is none.
    QString vobTagOf(const QString &path) const;
    // True when the path names a VOB root directory itself, nothing below it.
    bool isVobRoot(const QString &path) const;
    // The view-extended path of the VOB root above a path; "" outside any view.
    QString vobRootOf(const QString &path) const;
    // The VOB root directory as an element: the root path + separator + ".".
    QString vobRootElement(const QString &vobRoot) const;
    // Version 0 on main, which every element has.
    static QString versionOf(const QString &path) { return path + QStringLiteral("@@/main/0"); }
    QString rootVersionOf(const QString &vobRoot) const { return versionOf(vobRootElement(vobRoot)); }
    // The view tag of a view-extended path; "" when the path names none.
    QString viewTagOf(const QString &path) const;

private:
    QString unixVobTagOf(const QString &pathInView) const;
    QString unixPathInView(const QString &path) const; // "/vobs/proj/x" of "/view/t/vobs/proj/x"

    Kind m_kind;
    QStringList m_vobTags;
};
