// The hand-over of the portal's picture to grabnik.exe: the file goes into
// the Wine prefix, where the program inside the session can open it.
#pragma once

#include <string>

// Where the picture is put, inside the prefix's drive C: as a BMP, or as
// the portal's own file when that is no PNG this reads exactly.
constexpr const char* HandedBitmapInDriveC = "windows/temp/grabnik-portal.bmp";
constexpr const char* HandedPictureInDriveC = "windows/temp/grabnik-portal.png";

// Reads the portal's PNG, deletes it (the portals leave it in the user's
// folder or at a fixed path) and writes its pixels as a BMP into the Wine
// prefix that the companion's Wine programs run in (WINEPREFIX, or
// ~/.wine). On success, `windowsPath` is its name inside the session; on
// failure, says why on stderr.
bool movePictureIntoPrefix(const std::string& file, std::string& windowsPath);
