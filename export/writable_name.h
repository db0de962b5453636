// Whether the file hotkey may write a name of its rotation.
#pragma once

// True when the name may be written: it does not exist yet, or it is
// neither marked read-only nor held open by another program without write
// sharing. The read-only mark is checked here rather than left to the
// codecs: a process with the rights to ignore it (as root under Wine) would
// otherwise overwrite the file. A failed open for any other reason (a
// missing directory, say) is not the name's fault: the save will meet it.
bool nameCanBeWritten(const wchar_t* path);
