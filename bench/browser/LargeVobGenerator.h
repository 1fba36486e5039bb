#pragma once

#include <QString>

class SandboxStore;

// Grows a sandbox VOB for measurements: one folder directly under the VOB root holding
// many file elements, on disk and in the store.
class LargeVobGenerator
{
public:
    // Adds <vob root>\<folder> with `files` elements named elem_00000.c, elem_00001.c, ...
    static void addFlatFolder(SandboxStore &store, const QString &vobTag, const QString &folder, int files);
};
