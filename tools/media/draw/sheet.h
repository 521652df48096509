// The contact sheet: every picture the tool made, with its name and size, and the length of
// every sound, on one page to look over.
#pragma once

#include <QString>

namespace media {

// Reads the finished files under the repository root and writes the sheet as a PNG.
bool writeSheet(const QString& repoRoot, const QString& outputPng);

} // namespace media
