#pragma once

#include <atomic>

namespace fw {

// The window-wide flags the screens share, owned by the application object
// and handed to the screens that set or read them. Main thread, except
// isProcessingInProgress, which the close handlers read while a worker runs.
// (isDisableview keeps the design's spelling on purpose.)
struct SharedFlags {
    // A sheet, panel or pop-up is open: alerts and other dialogs wait.
    bool isSubWindowOpened = false;
    // A run or an import has locked the screens.
    bool isDisableview = false;
    std::atomic<bool> isProcessingInProgress = false;
};

} // namespace fw
