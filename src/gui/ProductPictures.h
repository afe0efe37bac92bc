#pragma once

#include <QPixmap>
#include <QString>

#include <string_view>

namespace gui {

// The decorative picture of a product, drawn at size x size pixels; a neutral tile for a code
// without a picture of its own.
QPixmap productPicture(std::string_view productCode, int size);

// The hint shown over a product's picture.
QString productHint(std::string_view productCode);

}  // namespace gui
