#pragma once

#include <QHash>
#include <QString>
#include <functional>

// A find query (-element, -version) over an object's attributes: attype_sub(NAME),
// attr_sub(NAME,==,VALUE) (also !=, <, <=, >, >= on numbers), attype(NAME) and attr(...)
// alike, joined with &&, || and !, grouped by parentheses. A value is compared as printed
// ("bob,ALL" with its double quotes for a string). Any other query function is refused,
// naming it: the emulator keeps no labels, hyperlinks or attached triggers to ask about.
class FindQuery
{
public:
    // Attribute type name -> the value as printed.
    using Attributes = QHash<QString, QString>;

    // Throws ZanError with cleartool's line for a query it cannot read.
    explicit FindQuery(const QString &text);
    ~FindQuery();
    FindQuery(FindQuery &&) noexcept;
    FindQuery &operator=(FindQuery &&) noexcept;

    bool matches(const Attributes &attributes) const;

private:
    std::function<bool(const Attributes &)> m_test;
};
