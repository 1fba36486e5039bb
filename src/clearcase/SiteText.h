#pragma once

#include "clearcase/SiteStyle.h"

#include <QString>

// Text shown to the administrator, by zanctl and the window, in the site's own spelling: on a
// Windows site a version-extended path is written as cleartool writes it there
// (main.c@@\main\0, not main.c@@/main/0).
class SiteText
{
public:
    static QString of(const QString &text, const SiteStyle &site);
};
