#pragma once
// Fitting a folder path into a pixel width: leading folders give way to "...", and as a
// last resort the drive and all folders go, leaving the last name alone. Pure text logic
// around one measuring call; nothing is kept between calls.
#include <functional>
#include <string>

#include "core/common/CodePage.h"

namespace korva {

// Width in pixels of a text drawn on one line in some font (GetTextExtentPoint32A on a
// device context with the font selected, in the Win32 build).
using TextMeasure = std::function<int(const std::string& text)>;

// Returns `path` unchanged when measure(path) <= maxWidth; otherwise cuts it pass by pass,
// measuring once per pass, until it fits or nothing but the last name is left. The result
// can be longer than the path (C:\A\B becomes C:\...\B), wider than maxWidth (a long last
// name is never cut) and, for a drive root that is itself too wide, empty.
std::string ShortenPathToWidth(const std::string& path, const TextMeasure& measure, int maxWidth,
                               const CodePage& codePage);

// Replaces the first folder name of a folder part (which must not be empty) by "...":
// "\Program Files\LonWorks\" gives "\...\LonWorks\", "\...\LonWorks\" gives "\...\",
// "\" gives the empty text.
std::string DropFirstFolder(const std::string& folderPart, const CodePage& codePage);

}  // namespace korva
