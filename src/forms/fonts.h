// The fonts the window designs name, mapped to free stand-ins bundled in the resources so that every
// machine shows the same layout: Liberation Sans for Arial and MS Sans Serif, Liberation Serif for
// Times New Roman, Lato Black for Arial Black.
#pragma once

#include <QFont>

namespace forms {

enum class FontFace { MsSansSerif, Arial, ArialBlack, TimesNewRoman };

// A font at a size in points, converted to pixels at 96 dpi. A face's bundled files are registered the
// first time it is asked for.
QFont font(FontFace face, double points, bool bold = false);

} // namespace forms
