// SPDX-License-Identifier: GPL-3.0-or-later
#include "Formula.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// Spaces of a math typesetter, in ems of the formula font.
constexpr qreal BinarySpace = 0.22;
constexpr qreal RelationSpace = 0.28;
// Subscripts sit this far below the baseline, in ems of the formula font.
constexpr qreal SubscriptDrop = 0.22;
// Gap between the fraction bar and its numerator or denominator, and the
// bar's overhang on either side, in ems.
constexpr qreal FractionGap = 0.16;
constexpr qreal FractionOverhang = 0.10;
// Slant of the italic font: an accent sits further right the higher it is.
constexpr qreal ItalicSlant = 0.21;

bool IsVariable(QChar c) {
    return c.isLetter();
}

} // namespace

FormulaWriter::FormulaWriter(QPainter* painter, QPointF baselineStart, const FormulaFonts& fonts)
    : Painter(painter), Start(baselineStart), Fonts(fonts), X(baselineStart.x()) {}

void FormulaWriter::Piece(const QString& text, const QFont& font, QPointF at) {
    if (Painter == nullptr) return;
    Painter->setFont(font);
    Painter->drawText(at, text);
}

void FormulaWriter::Extend(const QFont& font, const QString& text, qreal lowered) {
    const QRectF ink = QFontMetricsF(font).tightBoundingRect(text);
    Above = std::max(Above, -(ink.top() + lowered));
    Below = std::max(Below, ink.bottom() + lowered);
}

void FormulaWriter::Run(const QString& text, const QFont& italic, const QFont& upright,
                        qreal lowered) {
    qsizetype begin = 0;
    while (begin < text.size()) {
        const bool variable = IsVariable(text[begin]);
        qsizetype end = begin + 1;
        while (end < text.size() && IsVariable(text[end]) == variable)
            ++end;
        const QString piece = text.mid(begin, end - begin);
        const QFont& font = variable ? italic : upright;
        Piece(piece, font, QPointF(X, Start.y() + lowered));
        Extend(font, piece, lowered);
        X += QFontMetricsF(font).horizontalAdvance(piece);
        begin = end;
    }
}

void FormulaWriter::Space(qreal ems) {
    X += ems * Fonts.Upright.pixelSize();
}

void FormulaWriter::Symbols(const QString& text) {
    Run(text, Fonts.Italic, Fonts.Upright, 0);
}

void FormulaWriter::Subscript(const QString& text) {
    Run(text, Fonts.SmallItalic, Fonts.SmallUpright, SubscriptDrop * Fonts.Upright.pixelSize());
}

void FormulaWriter::Relation(const QString& sign) {
    Space(RelationSpace);
    Symbols(sign);
    Space(RelationSpace);
}

void FormulaWriter::Binary(const QString& sign) {
    Space(BinarySpace);
    Symbols(sign);
    Space(BinarySpace);
}

// Height of the math axis, where minus signs and fraction bars sit.
qreal FormulaWriter::AxisHeight() const {
    return -QFontMetricsF(Fonts.Upright).tightBoundingRect(QStringLiteral("−")).center().y();
}

void FormulaWriter::DoubleDotted(const QString& letter) {
    const QFontMetricsF metrics(Fonts.Italic);
    const qreal em = Fonts.Upright.pixelSize();
    const QRectF ink = metrics.tightBoundingRect(letter);
    const qreal dotHeight = -ink.top() + 0.20 * em; // centre of the dots above the baseline
    // Above the letter's middle, moved right along its slant.
    const qreal centre = X + ink.center().x() + ItalicSlant * (dotHeight + ink.top() / 2);
    const qreal radius = 0.065 * em;
    const qreal spread = 0.13 * em; // from the centre to each dot
    if (Painter != nullptr) {
        Painter->save();
        Painter->setPen(Qt::NoPen);
        Painter->setBrush(Qt::black);
        for (const qreal side : {-spread, spread}) {
            Painter->drawEllipse(QPointF(centre + side, Start.y() - dotHeight), radius, radius);
        }
        Painter->restore();
    }
    Above = std::max(Above, dotHeight + radius);
    Symbols(letter);
}

void FormulaWriter::Fraction(const QString& numerator, const QString& denominator) {
    const QFontMetricsF metrics(Fonts.Italic);
    const qreal em = Fonts.Upright.pixelSize();
    const qreal overhang = FractionOverhang * em;
    const qreal inner =
        std::max(metrics.horizontalAdvance(numerator), metrics.horizontalAdvance(denominator));
    const qreal barWidth = inner + 2 * overhang;
    // A one-pixel bar on a whole pixel row stays sharp.
    const qreal barTop = std::round(Start.y() - AxisHeight()) - 0.5;
    const qreal gap = FractionGap * em;
    const qreal numeratorBaseline = barTop - gap - metrics.tightBoundingRect(numerator).bottom();
    const qreal denominatorBaseline =
        barTop + 1 + gap - metrics.tightBoundingRect(denominator).top();
    const auto centred = [&](const QString& text, qreal baseline) {
        const qreal left = X + overhang + (inner - metrics.horizontalAdvance(text)) / 2;
        return QPointF(left, baseline);
    };
    // The writer's own Run would move X; the two parts share one column instead.
    if (Painter != nullptr) Painter->fillRect(QRectF(X, barTop, barWidth, 1), Qt::black);
    Piece(numerator, Fonts.Italic, centred(numerator, numeratorBaseline));
    Piece(denominator, Fonts.Italic, centred(denominator, denominatorBaseline));
    Extend(Fonts.Italic, numerator, numeratorBaseline - Start.y());
    Extend(Fonts.Italic, denominator, denominatorBaseline - Start.y());
    X += barWidth;
}

void WriteEquationOfMotion(FormulaWriter& writer) {
    const auto node = [&writer](const char* indices) {
        writer.Symbols(QStringLiteral("x"));
        writer.Subscript(QString::fromUtf8(indices));
    };
    writer.DoubleDotted(QStringLiteral("x"));
    writer.Subscript(QStringLiteral("i,j"));
    writer.Relation(QStringLiteral("="));
    writer.Symbols(QStringLiteral("−"));
    writer.Fraction(QStringLiteral("D"), QStringLiteral("m"));
    writer.Binary(QStringLiteral("·"));
    node("i,j");
    writer.Binary(QStringLiteral("+"));
    writer.Symbols(QStringLiteral("k"));
    writer.Binary(QStringLiteral("·"));
    writer.Symbols(QStringLiteral("("));
    node("i−1,j");
    writer.Binary(QStringLiteral("+"));
    node("i+1,j");
    writer.Binary(QStringLiteral("+"));
    node("i,j−1");
    writer.Binary(QStringLiteral("+"));
    node("i,j+1");
    writer.Binary(QStringLiteral("−"));
    writer.Symbols(QStringLiteral("4"));
    writer.Binary(QStringLiteral("·"));
    node("i,j");
    writer.Symbols(QStringLiteral(")"));
}
