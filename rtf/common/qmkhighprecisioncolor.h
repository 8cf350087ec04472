#ifndef QMKHIGHPRECISIONCOLOR_H
#define QMKHIGHPRECISIONCOLOR_H

#include <QColor>
#include <QHash>
#include <QMetaType>
#include <QString>

// A colour with four components in units of 1/100000 (100000 is full intensity), each -1 while
// unset: the precision of the expanded colour tables macOS TextEdit writes.
class QMKHighPrecisionColor
{
public:
    QMKHighPrecisionColor();
    virtual ~QMKHighPrecisionColor();

    /// The first three components are set.
    virtual bool isValid() const;
    /// "c1;c2;c3" when valid, else empty.
    virtual QString toString() const;
    /// The first three components as RGB, fully opaque.
    virtual QColor toColor() const;

    /// Components are numbered 1 to 4; other indexes read as -1 and are not written.
    int component(int index) const;
    void setComponent(int index, int value);

    bool operator==(const QMKHighPrecisionColor &other) const;

private:
    int m_components[4] = {-1, -1, -1, -1};
};

// A high-precision colour with the colour space it was given in.
class QMKHighPrecisionColorType : public QMKHighPrecisionColor
{
public:
    enum ColorSpace { NoColorSpace = 0, GenericRgb = 1, Srgb = 2, DisplayP3 = 3, Gray = 4 };

    explicit QMKHighPrecisionColorType(int colorSpace = NoColorSpace);

    int colorSpace() const;
    void setColorSpace(int colorSpace);
    /// A colour space is set and so are the first three components.
    bool isValid() const override;

    bool operator==(const QMKHighPrecisionColorType &other) const;

private:
    int m_colorSpace;
};

// The expanded colours of a document keyed by their 8-bit RGB value, kept on the document as
// the dynamic property "RgbToHighDefColorPalette" so that a writer can restore them exactly.
using QMKRgbToHighPrecisionMap = QHash<QRgb, QMKHighPrecisionColorType>;

Q_DECLARE_METATYPE(QMKHighPrecisionColor)
Q_DECLARE_METATYPE(QMKHighPrecisionColorType)
Q_DECLARE_METATYPE(QMKRgbToHighPrecisionMap)

#endif // QMKHIGHPRECISIONCOLOR_H
