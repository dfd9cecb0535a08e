// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QPointF>
#include <QString>

class QPainter;

// Fonts of a formula: variables italic, digits, signs and brackets upright,
// subscripts in the small pair.
struct FormulaFonts {
    QFont Upright;
    QFont Italic;
    QFont SmallUpright;
    QFont SmallItalic;
};

// Sets a formula from left to right along one baseline, the way a math
// typesetter would: italic variables, lowered subscripts, a stacked fraction.
// Without a painter it only measures, so a formula can be centred by writing
// it twice.
class FormulaWriter {
  public:
    FormulaWriter(QPainter* painter, QPointF baselineStart, const FormulaFonts& fonts);

    // Latin letters italic, everything else upright.
    void Symbols(const QString& text);
    void Subscript(const QString& text);
    // A variable with two dots above it: its second derivative in time.
    void DoubleDotted(const QString& letter);
    void Fraction(const QString& numerator, const QString& denominator);
    // "=", with the wider space of a relation around it.
    void Relation(const QString& sign);
    // "+", "−" or "·" between two terms.
    void Binary(const QString& sign);

    qreal Width() const { return X - Start.x(); }
    // Height above and depth below the baseline of all that was written, in pixels.
    qreal Ascent() const { return Above; }
    qreal Descent() const { return Below; }

  private:
    void Run(const QString& text, const QFont& italic, const QFont& upright, qreal lowered);
    void Piece(const QString& text, const QFont& font, QPointF at);
    void Space(qreal ems);
    void Extend(const QFont& font, const QString& text, qreal lowered);
    qreal AxisHeight() const;

    QPainter* Painter;
    QPointF Start;
    const FormulaFonts& Fonts;
    qreal X;
    qreal Above = 0;
    qreal Below = 0;
};

// x''(i,j) = -(D/m) x(i,j) + k (x(i-1,j) + x(i+1,j) + x(i,j-1) + x(i,j+1) - 4 x(i,j)):
// the motion of a pendulum inside the net with its four couplings.
void WriteEquationOfMotion(FormulaWriter& writer);
