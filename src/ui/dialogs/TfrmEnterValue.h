#pragma once
// A modal dialog for one whole number within bounds.

#include <string>

class QWidget;

namespace quillabe {

// The typed value when the user accepted one within [minValue, maxValue], else `current`.
int AskIntegerValue(QWidget* owner, const std::string& title, const std::string& prompt,
                    int current, int maxValue, int minValue);

} // namespace quillabe
