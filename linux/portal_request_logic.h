// What the companion reads and writes when it asks the desktop's screenshot
// portal for the screen: plain text in, plain text out, so that it is unit
// tested and fuzzed without a bus.
#pragma once

#include <string>

// The object path where the portal answers a request made with `token` by
// the bus connection named `uniqueName` (":1.42" answers under "1_42"). The
// answer may come before the call returns, so the path is listened on first.
std::string portalRequestPath(const std::string& uniqueName, const std::string& token);

// The local file a `file://` URI names, its %XX escapes decoded. False for any
// other URI, another host than none or "localhost", a bad escape or a NUL,
// escaped or not.
bool pathOfFileUri(const std::string& uri, std::string& path);

// The Windows path under which a file in the Wine prefix's drive_c is seen
// inside the session: "windows/temp/a.png" -> "C:\windows\temp\a.png".
std::string driveCPath(const std::string& pathInDriveC);
