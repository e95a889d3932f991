#pragma once
// The site configuration file EDI.ini: where it lies, every section and key the
// program reads, and how each value is held.

#include <QString>

#include <stdexcept>

// Any failure while locating or converting a configuration value.
class ConfigReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Section 動作環境; each value is a 50-character text, padded with blanks.
struct EnvironmentSettings {
    QString MachineName;
    QString UserId;
    QString Password;
    QString DbString;
};

// The look of one kind of control in section Setting0: keys <Kind>BackColor,
// <Kind>FontBold, ..., <Kind>ForeColor. Colours are converted when read, the
// other values when they are applied to the controls.
struct LookSettings {
    double BackColor = 0;
    QString FontBold, FontItalic, FontName, FontSize, FontStrikethru, FontUnderline;
    double ForeColor = 0;
};

// Section Setting0: labels ("Label"), text boxes ("Text", with the focus
// colour) and title labels ("Title").
struct DisplaySettings {
    QString FormBackColor;
    LookSettings Label;
    LookSettings Text;
    double TextFocusColor = 0;
    LookSettings Title;
};

// Keys read after Setting0 that this program keeps but does not use.
struct FurtherSettings {
    qint16 Minimaize = 0;
    QString Qvb100Path, EdiInFil, EdiOutFil, MgstPath, OldFile;
    bool DebugMode = false;
};

// A number as written in profile files: decimal, or hexadecimal with the
// "&H" prefix of the original platform. False when the text is no number.
bool ParseProfileNumber(const QString& text, double& value);

constexpr quint32 kSystemColourBit = 0x80000000;
constexpr quint32 kSystemColourCount = 25;

// A colour number of the original platform as its 32-bit value: 0x00BBGGRR,
// or kSystemColourBit plus the index of a system colour; decimals write values
// with the top bit set as negative numbers. False when it does not fit 32 bits.
bool ColourValue(double number, quint32& value);

// True for 0x00BBGGRR and for a system colour.
constexpr bool NamesColour(quint32 value)
{
    return value & kSystemColourBit ? (value & ~kSystemColourBit) < kSystemColourCount : value <= 0xFFFFFF;
}

// The program's folder: the one that K450120_PROGRAM_FOLDER names when set
// (an installed program is started for a site by a launcher in the site's
// PGM/BIN, which sets it), else the folder of the running executable.
QString ProgramFolder();

// The folder two levels above the program's folder; throws ConfigReadError
// when the path has fewer than two separators.
QString ConfigFolder(const QString& programFolder);

// ConfigFolder + "/EDI.ini".
QString ConfigFilePath(const QString& programFolder);

EnvironmentSettings ReadEnvironmentSettings(const QString& programFolder);
void ReadDisplaySettings(const QString& programFolder, DisplaySettings& display,
                         FurtherSettings& further);

// Key JOHOKUBUN of section PATH. A relative path is taken relative to the
// folder of EDI.ini, so that a site can be moved as a whole.
QString ReadCategoryFilePath(const QString& programFolder);
