#include "support/design_font.h"

#include <QStringList>

namespace spurwerk::gui {

QFont DesignFont() {
    QFont font;
    // The first present wins. Elsewhere the narrow sans-serifs keep the
    // captions inside the designed sizes: even Arial runs wider than MS Sans
    // Serif's bitmaps, DejaVu Sans (the usual Linux default) much wider.
    font.setFamilies({"MS Sans Serif", "Microsoft Sans Serif", "Arial Narrow", "Liberation Sans Narrow",
                      "Nimbus Sans Narrow", "DejaVu Sans Condensed", "Arial", "Liberation Sans", "Nimbus Sans"});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);  // 8 pt at the 96 dpi the designs were made for
    return font;
}

}  // namespace spurwerk::gui
