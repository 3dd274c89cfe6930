#include "core/chooser/InOutError.h"

#include <cstdio>

namespace korva {

std::string InOutErrorMessage(int errorCode) {
    switch (errorCode) {
        case 2: return "File not found";
        case 3: return "Invalid filename";
        case 4: return "Too many open files";
        case 5: return "File access denied";
        case 100: return "Read beyond end of file";
        case 101: return "Disk full";
        case 106: return "Invalid numeric input";
        default: {
            char text[32];
            std::snprintf(text, sizeof text, "I/O error %d", errorCode);
            return text;
        }
    }
}

EInOutError MakeInOutError(int errorCode) { return EInOutError(errorCode, InOutErrorMessage(errorCode)); }

}  // namespace korva
