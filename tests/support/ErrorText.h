#pragma once

#include "util/ZanError.h"

#include <functional>

// The description of the ZanError a call throws, or "<no error>" when it throws none.
inline QString errorOf(const std::function<void()> &call)
{
    try {
        call();
    } catch (const ZanError &e) {
        return e.description();
    }
    return QStringLiteral("<no error>");
}
