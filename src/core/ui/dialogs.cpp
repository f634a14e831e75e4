#include "ui/dialogs.h"

#include "settings/ui_texts.h"

namespace spurwerk {

bool Dialogs::TimedMessage(const std::string& message, int timeoutMs) {
    TimedInputRequest request;
    request.buttons = TimedOk;
    request.caption = UiTxt(UiText::TimedMessageCaption);
    request.message = message;
    request.timeoutMs = timeoutMs;
    request.defaultResult = ResultOk;
    request.focusInput = true;
    TimedInput(request);
    return request.timeoutMs > 0;
}

}  // namespace spurwerk
