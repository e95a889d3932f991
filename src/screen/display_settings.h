#pragma once
// Colours and fonts of section Setting0 applied to the form and its controls
// by control kind and name prefix.

#include "store/config.h"

#include <QColor>

class QWidget;

#include <stdexcept>

class DisplaySettingError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A colour number of the original platform: 0x00BBGGRR, or a system colour
// (ColourValue); throws DisplaySettingError when it names no colour.
QColor WindowsColor(double number);

// Applies the settings to the form and its own controls; throws
// DisplaySettingError when a value cannot be converted.
void ApplyDisplaySettings(QWidget* form, const DisplaySettings& settings);

// A flag: true/false in any case, or the number 1 or 0; throws
// DisplaySettingError otherwise.
bool ToFlag(const QString& text);
