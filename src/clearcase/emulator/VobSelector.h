#pragma once

#include <QString>

class SandboxPathResolver;
class SandboxStore;

// What a vob: selector names: vob:\proj (a VOB tag), or vob:. and vob:<pname>, the VOB a
// pathname lies in (relative ones from the working directory).
class VobSelector
{
public:
    static bool isVobSelector(const QString &operand) { return operand.startsWith(QLatin1String("vob:")); }
    // The VOB tag of the text after "vob:"; throws ZanError for a tag that is not registered
    // and a pathname in no VOB.
    static QString tagOf(const QString &vobSpecifier, SandboxStore &store, SandboxPathResolver &resolver);
};
