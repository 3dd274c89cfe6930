#pragma once
// The tool's three boxes: the simple message box, the application message box and the
// error box, and the wrapper that runs every event handler. Each box belongs to the
// application window and keeps the tool's other windows disabled while it is open.
#include <windows.h>

#include <string>
#include <type_traits>

#include "core/common/Exception.h"
#include "core/common/MessagePresenter.h"

namespace korva {

// The simple message box: a modal dialog (class #32770) built anew for each call, captioned
// with the application title, holding the text and one "OK" button.
class SimpleMessageBox : public MessagePresenter {
public:
    void ShowMessage(const std::string& text) override;
};

// The application message box: MessageBoxA with exactly the caller's values.
int ApplicationMessageBox(const std::string& text, const std::string& caption, unsigned flags);

// The error box: the message with the full-stop rule, under the application title, flags 16.
// Never throws: when even the text cannot be formed, the message is shown as it is.
void ShowErrorBox(const char* message) noexcept;
inline void ShowErrorBox(const std::string& message) noexcept { ShowErrorBox(message.c_str()); }

// Runs one event handler. Nothing thrown may cross a window procedure: mouse capture is
// released, and an Exception (or any other std::exception) is shown in the error box.
void RunHandlerCall(void* handler, void (*call)(void*)) noexcept;

template <typename Handler>
void RunHandler(Handler&& handler) noexcept {
    using Plain = std::remove_reference_t<Handler>;
    RunHandlerCall(static_cast<void*>(&handler), [](void* h) { (*static_cast<Plain*>(h))(); });
}

}  // namespace korva
