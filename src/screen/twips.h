#pragma once
// Positions and sizes of the forms are kept in twips, as designed (15 twips
// to a pixel at 96 dpi). The exact twips values live in properties of the
// widget, so that moving a control back and forth never drifts by rounding.

#include <QWidget>

constexpr int kTwipsPerPixel = 15;

inline int ToPixels(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }

inline int TwipsOf(const QWidget* w, const char* property, int pixels)
{
    const QVariant v = w->property(property);
    return v.isValid() ? v.toInt() : pixels * kTwipsPerPixel;
}

inline int LeftTwips(const QWidget* w) { return TwipsOf(w, "twipsLeft", w->x()); }
inline int TopTwips(const QWidget* w) { return TwipsOf(w, "twipsTop", w->y()); }
inline int WidthTwips(const QWidget* w) { return TwipsOf(w, "twipsWidth", w->width()); }
inline int HeightTwips(const QWidget* w) { return TwipsOf(w, "twipsHeight", w->height()); }

inline void SetTwipsGeometry(QWidget* w, int left, int top, int width, int height)
{
    w->setProperty("twipsLeft", left);
    w->setProperty("twipsTop", top);
    w->setProperty("twipsWidth", width);
    w->setProperty("twipsHeight", height);
    w->setGeometry(ToPixels(left), ToPixels(top), ToPixels(width), ToPixels(height));
}
