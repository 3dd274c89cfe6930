#pragma once
// The I/O error of the folder chooser: a change of the working directory that the system
// refused, with the system's error code and the message the error box shows for it.
#include "core/common/Exception.h"

namespace korva {

// The EInOutError for a system error code, with its message: "File not found" (2),
// "Invalid filename" (3), "Too many open files" (4), "File access denied" (5),
// "Read beyond end of file" (100), "Disk full" (101), "Invalid numeric input" (106), else
// "I/O error <code>" (a drive not ready: "I/O error 21").
EInOutError MakeInOutError(int errorCode);

}  // namespace korva
