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

// Section Setting0. Colours held as numbers are converted when read; the
// others are converted when they are applied to the controls.
struct DisplaySettings {
    QString FormBackColor;
    double LabelBackColor = 0;
    QString LabelFontBold, LabelFontItalic, LabelFontName, LabelFontSize;
    QString LabelFontStrikethru, LabelFontUnderline;
    double LabelForeColor = 0;
    double TextBackColor = 0;
    double TextFocusColor = 0;
    QString TextFontBold, TextFontItalic, TextFontName, TextFontSize;
    QString TextFontStrikethru, TextFontUnderline;
    double TextForeColor = 0;
    double TitleBackColor = 0;
    QString TitleFontBold, TitleFontItalic, TitleFontName, TitleFontSize;
    QString TitleFontStrikethru, TitleFontUnderline;
    double TitleForeColor = 0;
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
