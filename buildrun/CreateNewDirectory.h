#pragma once

#include <QString>

// Creates every missing folder along a Windows-form path, the outermost first: each prefix of
// the path that ends in "\" is created in turn. Every result is ignored.
void createFoldersAlong(const QString &newDirectory);
