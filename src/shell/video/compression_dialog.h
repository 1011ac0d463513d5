#pragma once

#include <optional>

#include "compression_choice.h"

class QWidget;

namespace plexion {

// Asks which codec a movie is compressed with, its key-frame interval and,
// for codecs that have one, its quality. Empty when the user cancels.
std::optional<SCompressionOptions> ChooseCompression(QWidget* parent);

}  // namespace plexion
