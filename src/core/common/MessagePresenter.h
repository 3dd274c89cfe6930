#pragma once
#include <string>

namespace korva {

// The simple message box: shows a text with one "OK" button and returns when the user
// has closed it.
class MessagePresenter {
public:
    virtual ~MessagePresenter() = default;
    virtual void ShowMessage(const std::string& text) = 0;
};

}  // namespace korva
