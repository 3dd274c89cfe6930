#pragma once
// The simple message box as the tests see it: every text it is asked to show, in order.
#include <string>
#include <vector>

#include "core/common/MessagePresenter.h"

namespace korva::testsupport {

class RecordingMessages : public MessagePresenter {
public:
    std::vector<std::string> shown;
    void ShowMessage(const std::string& text) override { shown.push_back(text); }
};

}  // namespace korva::testsupport
