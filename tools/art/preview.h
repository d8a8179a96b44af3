// Pictures for looking at the art, not shipped: a contact sheet of every
// picture at 4x and a mock scene of the field at 1x and 2x.
#pragma once

#include <string>

namespace art {

// Writes sheet.png, scenery.png, scene-1x.png and scene-2x.png into dir.
bool WritePreviews(const std::string& dir);

}  // namespace art
