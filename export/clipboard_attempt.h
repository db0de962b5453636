// What one attempt at clipboard work came to. Busy: another program held
// the clipboard, nothing was done and the attempt may be repeated. Done:
// the work ran to its end, whether it succeeded or not.
#pragma once

enum class ClipboardAttempt { Done, Busy };
